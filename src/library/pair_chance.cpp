#include "library/pair_chance.h"

#include <cmath>

namespace veska::library {

double pairChance(float t, int overlap, int placements) {
  if (std::isnan(t) || placements < 1 || overlap < 3) return 1.0;
  if (std::isinf(t)) return t > 0 ? 0.0 : 1.0;
  const double df = overlap - 2;
  const double tt = t;
  // The normal deviate of Student's t (Abramowitz and Stegun 26.7.8); from
  // 48 degrees of freedom on its tail is within a few per cent of the exact one.
  const double z = tt * (1.0 - 1.0 / (4.0 * df)) / std::sqrt(1.0 + tt * tt / (2.0 * df));
  const double p1 = 0.5 * std::erfc(z / std::sqrt(2.0));
  return -std::expm1(placements * std::log1p(-p1));
}

}  // namespace veska::library
