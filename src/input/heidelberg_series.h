// Reads the Heidelberg layout: each "HEADER:" block of Key=Value lines with
// the "DATA:" block after it is one series.
#pragma once

#include <optional>

#include "input/series.h"
#include "input/source_lines.h"

namespace veska::input {

// The next series of the file that can be loaded; none at the file's end.
//
// KeyCode is the identifier (cut to 8 characters, blank-padded), DateBegin
// the first year (1 when missing), Length the number of values. The data are
// groups of 1 (Single), 2 (Double) or 4 (Quadro) integers, whose first is the
// value; Tree, HalfChrono and Chrono take the shape the header's DataFormat
// gives. Values are in the header's Unit, 1/100 mm when it is missing. Zeros
// after Length values only pad the last line. A value below 0, or NA or NaN,
// is a missing value (kMissingValue).
//
// A block that cannot be loaded (no KeyCode, a Length or DateBegin that is
// not a plain whole number, a year outside -9999..99999, a Length that
// disagrees with its data, an unknown shape or unit, unreadable numbers, a
// value over 1e6 mm) is passed over with a warning naming
// it (by its KeyCode, or by its number counted in blocksRead, which starts at
// 0), and reading goes on with the next block.
SeriesStep readHeidelbergSeries(SourceLines& lines, int& blocksRead);

}  // namespace veska::input
