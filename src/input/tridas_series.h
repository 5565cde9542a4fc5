// Reads TRiDaS, the field's XML interchange standard: every measurement
// series and derived series of every project, with the taxon and the place of
// the element (or object) a measurement series belongs to.
#pragma once

#include <string_view>
#include <vector>

#include "input/layout_read.h"
#include "records/text.h"

namespace veska::input {

// The first line that is not blank begins with "<", and one of the first
// lines names the tridas element or namespace.
bool looksLikeTridas(const std::vector<records::Text>& firstLines);

// `xml` is the whole file as UTF-8. A series is named by its title (else its
// identifier); its years start at interpretation/firstYear, AD as it stands,
// BC as 1 - year (year 0 is 1 BC), RY (relative years) as it stands, BP as
// 1950 - year. Of its <values> groups the one whose variable is ring width
// (normalTridas "ring width", or free text naming "ring width" but neither
// earlywood nor latewood) is read, in micrometres, 1/100th, 1/50th, 1/20th
// or 1/10 millimetres, millimetres, centimetres or metres, or unitless
// (indices). Values below 0 are missing. A series with no first year, no
// ring-width group, units not known, or a value that is no number is refused
// with its reason; a file that is not well-formed XML gives no series and one
// line saying where it fails.
LayoutRead readTridasText(std::string_view xml);

}  // namespace veska::input
