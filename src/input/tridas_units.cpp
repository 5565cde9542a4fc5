#include "input/tridas_units.h"

#include <array>
#include <cmath>

#include "input/layout_read.h"
#include "input/plain_numbers.h"

namespace veska::input {
namespace {

constexpr std::array<TridasUnit, 9> kUnits{{
    {"micrometres", ValueUnit::Thousandths, 0.001f, false},
    {"1/100th millimetres", ValueUnit::Hundredths, 0.01f, false},
    {"1/50th millimetres", ValueUnit::Decimal, 0.02f, false},
    {"1/20th millimetres", ValueUnit::Decimal, 0.05f, false},
    {"1/10 millimetres", ValueUnit::Tenths, 0.1f, false},
    {"millimetres", ValueUnit::Decimal, 1.0f, false},
    {"centimetres", ValueUnit::Decimal, 10.0f, false},
    {"metres", ValueUnit::Decimal, 1000.0f, false},
    {"unitless", ValueUnit::Decimal, 1.0f, true},
}};

}  // namespace

std::optional<TridasUnit> tridasUnitNamed(std::string_view name) {
  for (const TridasUnit& unit : kUnits)
    if (unit.name == name) return unit;
  return std::nullopt;
}

std::optional<float> tridasValue(std::u32string_view text, const TridasUnit& unit) {
  if (unit.unit != ValueUnit::Decimal) {
    if (const auto whole = readWholeNumber(text)) return *whole < 0 ? kMissingValue : valueOf(*whole, unit.unit);
  }
  const auto value = readDecimalNumber(text, false);
  if (!value || !std::isfinite(*value)) return std::nullopt;
  if (*value < 0) return kMissingValue;
  return unit.toMillimetres == 1.0f ? *value : *value * unit.toMillimetres;
}

}  // namespace veska::input
