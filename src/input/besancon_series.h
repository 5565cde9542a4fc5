// Reads the Besançon layout: series ("element blocks") that each begin with a
// line ". NAME", then keywords of which the first three letters count in any
// letter case (LONgueur, POSition, ORIgine, TERme, ESPèce), then a line
// beginning "VAL" ("VAL", "Valeurs", "valeurs nat") and the values up to ";".
// Any other line, before or between the blocks, is free text.
#pragma once

#include <vector>

#include "input/layout_read.h"
#include "records/text.h"

namespace veska::input {

// A line ". NAME" followed, within a few dozen lines, by a line beginning
// "val" in any letter case.
bool looksLikeBesancon(const std::vector<records::Text>& firstLines);

// Values are hundredths of a millimetre (whole, or with a decimal point in
// means) separated by blanks; "," is a
// ring not measured (a missing value), "/" and "*" mark signature years and
// "{ 1529}" the year of a line, and are passed over. Years are historical
// (no year 0): the first year is ORI when given, else POS, else 1 (an undated
// series begins at position 1), and -81 (81 BC) becomes the astronomical
// year -80. A block is refused with its reason when its values do not end in
// ";" before the next block, disagree with LON or with ORI and TER, are not
// numbers, are the centred values of "VAL EBES", or when years go
// beyond -9999 to 99999.
LayoutRead readBesanconFile(const std::vector<records::Text>& lines);

}  // namespace veska::input
