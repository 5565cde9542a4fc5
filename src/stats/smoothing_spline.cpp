#include "stats/smoothing_spline.h"

#include <cmath>
#include <numbers>

namespace veska::stats {

double splineStiffness(double years) {
  const double d = 2.0 - 2.0 * std::cos(2.0 * std::numbers::pi / years);
  return 1.0 / (d * d);
}

std::vector<double> smoothingSpline(std::span<const double> y, double stiffness) {
  const std::size_t n = y.size();
  if (n < 3) return {y.begin(), y.end()};
  // The band of I + stiffness * D'D, D the (n - 2) x n second differences:
  // a0 the diagonal, a1 and a2 the first and second off-diagonals.
  std::vector<double> a0(n, 1.0), a1(n, 0.0), a2(n, 0.0);
  constexpr double row[3] = {1.0, -2.0, 1.0};
  for (std::size_t k = 0; k + 2 < n; ++k)
    for (std::size_t p = 0; p < 3; ++p) {
      a0[k + p] += stiffness * row[p] * row[p];
      if (p + 1 < 3) a1[k + p] += stiffness * row[p] * row[p + 1];
      if (p + 2 < 3) a2[k + p] += stiffness * row[p] * row[p + 2];
    }
  // The matrix is symmetric positive definite: factor it as L D L' (L unit
  // lower triangular with two subdiagonals l1, l2), then solve.
  std::vector<double> d(n), l1(n, 0.0), l2(n, 0.0), s(n);
  for (std::size_t i = 0; i < n; ++i) {
    d[i] = a0[i];
    if (i >= 1) d[i] -= l1[i - 1] * l1[i - 1] * d[i - 1];
    if (i >= 2) d[i] -= l2[i - 2] * l2[i - 2] * d[i - 2];
    double upper = a1[i];
    if (i >= 1) upper -= l2[i - 1] * l1[i - 1] * d[i - 1];
    l1[i] = upper / d[i];
    l2[i] = a2[i] / d[i];
  }
  for (std::size_t i = 0; i < n; ++i) {
    s[i] = y[i];
    if (i >= 1) s[i] -= l1[i - 1] * s[i - 1];
    if (i >= 2) s[i] -= l2[i - 2] * s[i - 2];
  }
  for (std::size_t i = 0; i < n; ++i) s[i] /= d[i];
  for (std::size_t i = n; i-- > 0;) {
    if (i + 1 < n) s[i] -= l1[i] * s[i + 1];
    if (i + 2 < n) s[i] -= l2[i] * s[i + 2];
  }
  return s;
}

}  // namespace veska::stats
