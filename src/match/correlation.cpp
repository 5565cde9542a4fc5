#include "match/correlation.h"

#include <cstddef>

namespace veska::match {

DeviationSums deviationSums(std::span<const float> x, std::span<const float> y) {
  const std::size_t m = x.size();
  double sumX = 0.0;
  double sumY = 0.0;
  for (std::size_t i = 0; i < m; ++i) {
    sumX += static_cast<double>(x[i]);
    sumY += static_cast<double>(y[i]);
  }
  const int count = static_cast<int>(m);
  const double meanX = meanOfSum(sumX, count);
  const double meanY = meanOfSum(sumY, count);

  DeviationSums s;
  for (std::size_t i = 0; i < m; ++i) {
    const double dx = static_cast<double>(x[i]) - meanX;
    const double dy = static_cast<double>(y[i]) - meanY;
    s.xx += dx * dx;
    s.yy += dy * dy;
    s.xy += dx * dy;
  }
  return s;
}

float correlate(std::span<const float> x, std::span<const float> y) {
  const DeviationSums s = deviationSums(x, y);
  return correlationOfSums(s.xx, s.yy, s.xy);
}

}  // namespace veska::match
