#include "stats/order_choice.h"

#include <cmath>
#include <limits>

namespace veska::stats {

float criterion(int n, int k, float variance) {
  const double fit = n * std::log(static_cast<double>(variance));
  if (k == 0) return static_cast<float>(fit + 2.0);
  const double parameters = k + 1;
  const double denominator = n - k - 2;
  const double correction = denominator == 0.0
                                ? std::numeric_limits<double>::infinity()
                                : 2.0 * parameters * (parameters + 1.0) / denominator;
  return static_cast<float>(fit + 2.0 * parameters + correction);
}

int orderOnStop(int k, float c0, float previous) { return previous > c0 ? 0 : k - 1; }

std::optional<int> orderAfter(int k, int maxOrder, float c0, float previous, float current) {
  if (k >= 2 && !(current <= previous)) return orderOnStop(k, c0, previous);
  if (k == maxOrder) return maxOrder - 1;
  return std::nullopt;
}

}  // namespace veska::stats
