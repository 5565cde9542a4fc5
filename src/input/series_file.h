// Loads every series of one open tree-ring data file, checking each against
// the limits of 1000 series and 5000 values.
#pragma once

#include "records/runtime.h"
#include "input/decadal_line.h"
#include "input/series.h"

namespace veska::input {

// Reads series until the file has no further one (its end, or a series that
// ended at once).
//
// A series longer than kMaxLength, or more than kMaxSeries series, ends the
// run: the message, a pause, then the end of run with kExitDataLimit. The
// length is checked first, and only once the whole series has been read.
SeriesTable loadSeriesFile(records::Runtime& rt, int unit, Layout layout);

}  // namespace veska::input
