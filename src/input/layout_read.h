// What a reader of a whole-file layout (TRiDaS, Besançon, Sheffield, the NOAA
// template) gives back: every series it could read, in file order, and a
// console line for each one it refused. The loader then checks the series
// against the limits as it does for the other layouts.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "input/notices.h"
#include "input/series.h"
#include "records/text.h"

namespace veska::input {

struct LayoutRead {
  // In file order: each series read, and the console line of each refused.
  std::vector<std::variant<SeriesRead, Notice>> items;
};

// "*** Series NAME REASON: not loaded ***", the name as the file writes it.
Notice seriesNotLoaded(std::u32string_view name, std::string_view reason);

// A series named `name` from `firstYear` on, its values in `unit`; missing
// values at either end are no part of it (the first year moves with them),
// so that a series padded to a decade or a table's rows starts and ends on a
// value. A value below 0 (or NaN) in between becomes kMissingValue: a ring
// that could not be measured. Keeps at most kMaxLength values and counts the
// rest.
SeriesRead seriesFrom(std::u32string_view name, std::int64_t firstYear, const std::vector<float>& values,
                      ValueUnit unit);

// The words of a line, split at blanks and tabs.
std::vector<std::u32string_view> wordsOf(std::u32string_view line);

// ASCII letters in lower case; other characters as they are.
std::u32string lowered(std::u32string_view text);

}  // namespace veska::input
