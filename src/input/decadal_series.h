// Reads one tree-ring series from an open data file in one of the decadal
// layouts, from the file's current line to just behind the series' end
// marker. A line with "#" in column 80 before any value hands the series to
// readFormattedSeries (format-driven layout); a line that cannot be read with the layout
// is a text line, echoed on the console as a title.
#pragma once

#include <optional>

#include "records/runtime.h"
#include "input/decadal_line.h"
#include "input/series.h"

namespace veska::input {

inline constexpr int kMaxTextLines = 25;

// Ring widths: marker 999 in hundredths, -9999 makes the whole series
// thousandths. Indices: thousandths, marker 9990 or more.
//
// A complete series comes back with its identifier, first year and true
// length; at most kMaxLength of its values are kept. nullopt when the file
// ends (or cannot be read) first: the unfinished series is dropped, and if
// it had data lines the console says so, since a user must not lose a series
// without knowing. More than 25 text lines in one call end the run
// (kExitDataLimit).
std::optional<SeriesRead> readDecadalSeries(records::Runtime& rt, int unit, Layout layout);

}  // namespace veska::input
