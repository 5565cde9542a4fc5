// Loads every series of one open tree-ring data file into a series table,
// checking each against the table's limits.
#pragma once

#include <string_view>

#include "records/runtime.h"
#include "input/series_table.h"

namespace veska::input {

// readCode's first letter chooses the kind: M or m ring widths ("MR"), I or i
// indices ("IR"); any other letter loads nothing. Returns with table.count
// set when the file has no further series (a count below 1 from readDecadalSeries: the end
// of the file, or a series that ended at once).
//
// A series longer than maxLength, or more than maxSeries series, ends the run:
// the message, a pause, then the end of run with kExitDataLimit. The length is
// checked first, and only once the whole series has been read. The limits
// never exceed the table's own room.
void loadSeriesFile(records::Runtime& rt, SeriesTable& table, std::u32string_view readCode, int maxLength, int maxSeries,
             int unit);

}  // namespace veska::input
