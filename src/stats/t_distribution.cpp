#include "stats/t_distribution.h"

#include <cmath>
#include <limits>

namespace veska::stats {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The continued fraction of I_x(a, b) by the modified Lentz method; it
// converges in O(sqrt(max(a, b))) steps when x < (a + 1) / (a + b + 2).
double betaContinuedFraction(double a, double b, double x) {
  constexpr int kMaxSteps = 100000;
  constexpr double kEpsilon = 1e-16;
  constexpr double kTiny = 1e-300;
  const double qab = a + b;
  const double qap = a + 1.0;
  const double qam = a - 1.0;
  double c = 1.0;
  double d = 1.0 - qab * x / qap;
  if (std::fabs(d) < kTiny) d = kTiny;
  d = 1.0 / d;
  double h = d;
  for (int m = 1; m <= kMaxSteps; ++m) {
    const double m2 = 2.0 * m;
    // The even step d_2m, then the odd step d_2m+1.
    double aa = m * (b - m) * x / ((qam + m2) * (a + m2));
    d = 1.0 + aa * d;
    if (std::fabs(d) < kTiny) d = kTiny;
    c = 1.0 + aa / c;
    if (std::fabs(c) < kTiny) c = kTiny;
    d = 1.0 / d;
    h *= d * c;
    aa = -(a + m) * (qab + m) * x / ((a + m2) * (qap + m2));
    d = 1.0 + aa * d;
    if (std::fabs(d) < kTiny) d = kTiny;
    c = 1.0 + aa / c;
    if (std::fabs(c) < kTiny) c = kTiny;
    d = 1.0 / d;
    const double step = d * c;
    h *= step;
    if (std::fabs(step - 1.0) < kEpsilon) break;
  }
  return h;
}

// x^a (1 - x)^b / (a B(a, b)) times the continued fraction: I_x(a, b) on the
// side where the fraction converges. 1 - x is given apart, so that it keeps
// its digits when x is close to 1.
double betaTailDirect(double a, double b, double x, double oneMinusX) {
  if (x <= 0.0) return 0.0;
  const double logFront =
      std::lgamma(a + b) - std::lgamma(a) - std::lgamma(b) + a * std::log(x) + b * std::log(oneMinusX);
  return std::exp(logFront) * betaContinuedFraction(a, b, x) / a;
}

// I_x(a, b) with 1 - x given apart.
double incompleteBeta(double a, double b, double x, double oneMinusX) {
  if (x < (a + 1.0) / (a + b + 2.0)) return betaTailDirect(a, b, x, oneMinusX);
  return 1.0 - betaTailDirect(b, a, oneMinusX, x);
}

// P(T >= |t|) = I_x(df/2, 1/2) / 2 with x = df / (df + t^2), and 1 - x
// formed as t^2 / (df + t^2) rather than by subtraction.
double upperTailOfMagnitude(double t, double df) {
  const double t2 = t * t;
  if (std::isinf(t2)) return 0.0;
  const double sum = df + t2;
  return 0.5 * incompleteBeta(0.5 * df, 0.5, df / sum, t2 / sum);
}

}  // namespace

double regularizedIncompleteBeta(double a, double b, double x) {
  if (!(a > 0.0) || !(b > 0.0) || !(x >= 0.0) || !(x <= 1.0)) return kNaN;
  return incompleteBeta(a, b, x, 1.0 - x);
}

double studentUpperTail(double t, double df) {
  if (std::isnan(t) || !(df > 0.0)) return kNaN;
  const double far = upperTailOfMagnitude(t, df);
  return t >= 0.0 ? far : 1.0 - far;
}

double chanceOfReachingIn(double t, double df, double count) {
  if (std::isnan(t) || !(df > 0.0)) return kNaN;
  if (!(count > 0.0)) return 0.0;
  // log(1 - P(T >= t)): for t >= 0 through log1p of the small upper tail,
  // for t < 0 the log of the small lower tail, P(T <= t) = P(T >= -t).
  const double far = upperTailOfMagnitude(t, df);
  const double logNotReached = t >= 0.0 ? std::log1p(-far) : std::log(far);
  return -std::expm1(count * logNotReached);
}

}  // namespace veska::stats
