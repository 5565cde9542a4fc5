#include "input/value_unit.h"

#include <cmath>
#include <limits>

namespace veska::input {

float valueOf(std::int32_t n, ValueUnit unit) {
  const float whole = static_cast<float>(n);
  switch (unit) {
    case ValueUnit::Hundredths:
      return whole * 0.01f;
    case ValueUnit::Thousandths:
      return whole * 0.01f * 0.1f;
    case ValueUnit::Tenths:
      return whole * 0.1f;
    case ValueUnit::Millimetres:
      return whole;
    case ValueUnit::IndexThousandths:
      return whole * 0.001f;
    case ValueUnit::Decimal:
      break;
  }
  return whole;
}

std::optional<std::int32_t> wholeNumberOf(float value, ValueUnit unit) {
  double perUnit = 1.0;
  switch (unit) {
    case ValueUnit::Hundredths:
      perUnit = 100.0;
      break;
    case ValueUnit::Thousandths:
    case ValueUnit::IndexThousandths:
      perUnit = 1000.0;
      break;
    case ValueUnit::Tenths:
      perUnit = 10.0;
      break;
    case ValueUnit::Millimetres:
      break;
    case ValueUnit::Decimal:
      return std::nullopt;
  }
  const double n = std::nearbyint(static_cast<double>(value) * perUnit);
  if (!std::isfinite(n) || n < std::numeric_limits<std::int32_t>::min() ||
      n > std::numeric_limits<std::int32_t>::max())
    return std::nullopt;
  return static_cast<std::int32_t>(n);
}

}  // namespace veska::input
