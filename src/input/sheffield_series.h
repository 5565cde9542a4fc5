// Reads the Sheffield layout (D-format): one series a file, a header of 22
// lines of one item each, then one whole number a line, oldest ring first.
#pragma once

#include <vector>

#include "input/layout_read.h"
#include "records/text.h"

namespace veska::input {

// Header lines, from 1: 1 a title; 2 the number of rings; 3 the dating, A
// (absolute: line 4 is the first year plus 10000, so 10784 is AD 784 and
// 10000 is year 0, 1 BC) or R (relative: line 4 is the first year
// as it stands); 5 the kind of series (R one sample's raw rings, any other
// letter a mean); 10 latitude and longitude in decimal degrees when known;
// 18 the short title that names the series (else line 1); 20 the species code; 22 the variable, D for ring widths in hundredths of a
// millimetre. A series whose header cannot be read, whose variable is not D,
// or that holds fewer values than line 2 says is refused with its reason.
bool looksLikeSheffield(const std::vector<records::Text>& firstLines);
LayoutRead readSheffieldFile(const std::vector<records::Text>& lines);

// Header lines before the values.
inline constexpr std::size_t kSheffieldHeaderLines = 22;

}  // namespace veska::input
