// One complete crossdating run, from the first prompt to the end of run, and
// the report's listing of every series with its model.
#pragma once

#include <string>

#include "dialogue/run_observer.h"
#include "dialogue/run_request.h"
#include "records/record.h"
#include "runtime/runtime.h"
#include "stats/ar_model.h"

namespace veska::dialogue {

// Never returns normally: the run ends with Runtime::endRun, which unwinds
// with runtime::RunEnded carrying the exit status.
[[noreturn]] void runCrossdating(runtime::Runtime& rt);
// The same, telling `observer` (when given) about the series and pairs once
// the match phase has written its last pair line.
[[noreturn]] void runCrossdating(runtime::Runtime& rt, RunObserver* observer);
// The same run from answers given beforehand: no question, no pause.
[[noreturn]] void runCrossdating(runtime::Runtime& rt, const RunRequest& request, RunObserver* observer = nullptr);
// Either: the dialogue when request is null.
[[noreturn]] void runCrossdating(runtime::Runtime& rt, RunObserver* observer, const RunRequest* request);

// All floating-point exceptions masked, rounding to nearest: a division by
// zero or an invalid operation yields an infinity or a NaN that flows on.
void setFloatingPointEnvironment();

// The report's listing line of one series: columns 2-6 the number, 9-16 the
// identifier, 17-19 the order; from order 1 on, the variance explained and
// the coefficients in 8-wide fields.
records::Record listingLine(int number, const std::u32string& id, const stats::ArModel& model);

}  // namespace veska::dialogue
