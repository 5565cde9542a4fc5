// The units TRiDaS names for a series' values (its normalTridas list), and
// how a value written in one becomes a ring width in millimetres.
#pragma once

#include <optional>
#include <string_view>

#include "input/value_unit.h"

namespace veska::input {

struct TridasUnit {
  std::string_view name;   // as TRiDaS writes it: "1/100th millimetres", "unitless"...
  ValueUnit unit;          // the unit a whole number in it is read with
  float toMillimetres;     // a value's factor when it is not a whole number of `unit`
  bool index;              // unitless: indices, not widths
};

// nullopt for a name TRiDaS does not list.
std::optional<TridasUnit> tridasUnitNamed(std::string_view name);

// A value's text in `unit`: whole numbers with the readers' own arithmetic,
// decimals scaled once; a value below 0 is missing. nullopt when it is no
// finite number.
std::optional<float> tridasValue(std::u32string_view text, const TridasUnit& unit);

}  // namespace veska::input
