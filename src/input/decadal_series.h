// Reads one tree-ring series in one of the decadal layouts, from the current
// line to just behind the series' end marker. A line with "#" in column 80
// before any value hands the series to readFormattedSeries (format-driven
// layout); a line that cannot be read with the layout is a text line, a
// title notice.
#pragma once

#include <optional>

#include "input/decadal_line.h"
#include "input/notices.h"
#include "input/series.h"
#include "input/source_lines.h"

namespace veska::input {

inline constexpr int kMaxTextLines = 25;

// Ring widths: marker 999 in hundredths, -9999 makes the whole series
// thousandths. Indices: thousandths, marker 9990 or more. In either, and in
// the format-driven layout, a value below 0 (ITRDB's -999) is a missing value
// (kMissingValue).
//
// A complete series comes back with its identifier, first year and true
// length; at most kMaxLength of its values are kept. No series when the lines
// end (or fail) first: the unfinished series is dropped, and if it had data
// lines a warning says so, since a user must not lose a series without
// knowing. More than 25 text lines in one call stop the reading
// (TextLineLimit) before the 26th is echoed.
SeriesStep readDecadalSeries(SourceLines& lines, Layout layout);

}  // namespace veska::input
