// Reads one series in the format-driven layout: lines up to a header that
// gives the number of values, the first year and the layout text of the
// value lines, then the values read with that layout.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "records/runtime.h"

namespace veska::input {

// Lines before the header that do not begin with "N  " are copied into
// `text` (its first textLength characters, textLength limited to 0..80), so
// the caller finds there the last such line met up to and including the
// header. The header is the first line whose columns 3-10 (n) and 13-20
// (first year) are integers and whose columns 23-30 (layout text) hold both
// "(" and ")".
//
// On a header: count = n and firstYear are set, and n values are read with
// the layout text. At most values.size() are stored (D11); reading goes on to
// the end of the series or of the file, so a huge n costs no memory. A read
// error or an early end shows its message and keeps count = n; values that
// were not read are 0 (D12). The end of the file (or an unreadable line)
// before a header gives count = -999 and sets nothing else.
void readFormattedSeries(records::Runtime& rt, std::u32string& text, std::int32_t& count, std::span<float> values,
           std::int32_t& firstYear, int unit, int textLength);

}  // namespace veska::input
