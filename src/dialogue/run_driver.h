// One complete crossdating run, from the first prompt to the end of run.
#pragma once

#include "dialogue/run_observer.h"
#include "records/runtime.h"

namespace veska::dialogue {

// Never returns normally: the run ends with Runtime::endRun, which unwinds
// with records::RunEnded carrying the exit status.
[[noreturn]] void runCrossdating(records::Runtime& rt);
// The same, telling `observer` (when given) about the series and pairs once
// the match phase has written its last pair line.
[[noreturn]] void runCrossdating(records::Runtime& rt, RunObserver* observer);

// All floating-point exceptions masked, rounding to nearest: a division by
// zero or an invalid operation yields an infinity or a NaN that flows on.
void setFloatingPointEnvironment();

}  // namespace veska::dialogue
