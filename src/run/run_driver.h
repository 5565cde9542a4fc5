// One complete crossdating run, from the first prompt to the end of run.
#pragma once

#include "console/io/runtime.h"

namespace veska::run {

// Never returns normally: the run ends with Runtime::endRun, which unwinds
// with io::RunEnded carrying the exit status.
[[noreturn]] void runCrossdating(io::Runtime& rt);

// All floating-point exceptions masked, rounding to nearest: a division by
// zero or an invalid operation yields an infinity or a NaN that flows on.
void setFloatingPointEnvironment();

}  // namespace veska::run
