// Signals that ask a run to stop (SIGINT, SIGTERM, SIGHUP). The handler does
// no I/O: it records the signal and writes one byte to a pipe, so that a read
// waiting for the console wakes. The run looks at the request between records
// and when a read comes back without a line, and ends itself: its report then
// says that it is incomplete.
#pragma once

namespace veska::runtime {

// Installs the handlers (once per process) and ignores SIGXFSZ.
void installStopSignals();
// A file-size limit then makes a write fail with EFBIG, which the run reports
// as a failed write, instead of killing the process without a word.
void ignoreFileSizeSignal();
// The signal number of the first stop request, 0 when there is none.
int pendingStopSignal();
// Becomes readable once a stop is requested; -1 before installStopSignals.
int stopWakeFd();

}  // namespace veska::runtime
