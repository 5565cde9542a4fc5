// Reads one tree-ring series from an open data file in one of the decadal
// layouts, from the file's current line to just behind the series' end
// marker. A line with "#" in column 80 before any value hands the series to
// readFormattedSeries (format-driven layout); a line that cannot be read with the layout
// is a text line, echoed on the console as a title.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "records/runtime.h"

namespace veska::input {

inline constexpr std::int32_t kNoMoreSeries = -999;
inline constexpr int kMaxTextLines = 25;

// readCode is "MR" (ring widths: marker 999 in hundredths, -9999 makes the
// whole series thousandths) or "IR" (indices in thousandths, marker 9990 or
// more). The series counter becomes max(counter, 0) + 1 first.
//
// On a complete series: id, firstYear and count >= 0 are set and values
// 1..count hold it; at most values.size() are stored but the count goes on
// (D11), so the caller can report an overlong series' true length. When the
// file ends (or cannot be read) first: count = seriesCounter = -999 and the
// unfinished series is dropped; if it had data lines, the console says so
// (F7). More than 25 text lines in one call end the run (kExitDataLimit).
void readDecadalSeries(records::Runtime& rt, std::u32string& id, std::int32_t& firstYear, std::int32_t& count,
          std::span<float> values, int& seriesCounter, int unit, std::u32string_view readCode);

}  // namespace veska::input
