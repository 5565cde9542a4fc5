// Reads one series in the format-driven layout: lines up to a header that
// gives the number of values, the first year and the layout text of the
// value lines, then the values read with that layout.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "input/notices.h"
#include "input/series.h"
#include "input/source_lines.h"

namespace veska::input {

struct FormattedSeries {
  // The last line met up to and including the header that does not begin
  // with "N  " (80 characters); the first line read when every line does.
  std::u32string title;
  std::int32_t firstYear = 0;
  // The header's count, as written (it may be 0 or negative: no values).
  std::int32_t count = 0;
  // min(count, kMaxLength) values: a huge count costs no memory, though
  // reading goes on to the end of the series or of the file so that the
  // count stays true. Values that were not read, after a read error or an
  // early end, are 0: the header's count is kept as designed.
  std::vector<float> values;
};

struct FormattedRead {
  // nullopt: the lines ended (or failed) before a header.
  std::optional<FormattedSeries> series;
  Notices notices;
};

// The header is the first line whose columns 3-10 (n) and 13-20 (first year)
// are integers and whose columns 23-30 (layout text) hold both "(" and ")".
// A value that cannot be read, or an early end among the values, is a
// notice; a failing source ends the series without one.
FormattedRead readFormattedSeries(SourceLines& lines);

}  // namespace veska::input
