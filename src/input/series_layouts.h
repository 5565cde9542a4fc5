// One series as the text of a data file that veska reads back to the same
// series: the decadal ring-width layout, the Heidelberg layout or a CSV table.
// The values come back bit for bit wherever the layout can say them: in the
// unit they were read in when the layout has it, otherwise in the unit that
// gives every value back exactly, otherwise in the finest one.
#pragma once

#include <string>
#include <string_view>

#include "input/series.h"

namespace veska::input {

enum class SeriesLayout { Decadal, Heidelberg, Csv };

// The file's text (UTF-8, LF line ends), or why the layout cannot hold the
// series: a sentence to show the user.
struct LayoutText {
  std::string text;
  std::string refusal;  // empty when `text` is the file
  bool ok() const { return refusal.empty(); }
};

// Decadal ring widths: identifier in 1-8, year in 9-12 (8-12 and the
// identifier in 1-7 before -999), ten 6-wide values a decade, the first line
// from the first year to the end of its decade, then 999 (hundredths of a mm)
// or -9999 (thousandths) behind the last value, on a line of its own when the
// last line is full. Hundredths when the series was read in them, or when
// they give every value back exactly; thousandths otherwise. A value that
// would read as an end marker, or does not fit 6 columns, cannot be written.
LayoutText decadalText(const Series& series);

// One HEADER: block (KeyCode, DateBegin, DateEnd, Length, Unit, DataFormat
// Tree) and its DATA:Tree values, ten to a line. The unit is the one read
// when Heidelberg has it (1/10, 1/100, 1/1000 mm, mm).
LayoutText heidelbergText(const Series& series);

// "Year" and the identifier, then one row per year; each value in the fewest
// decimal digits that read back to the same single-precision number.
LayoutText csvText(const Series& series);

LayoutText layoutText(const Series& series, SeriesLayout layout);

}  // namespace veska::input
