#include "stats/t_distribution.h"

#include <cmath>
#include <limits>
#include <numbers>

namespace veska::stats {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// I_x(a, b) = x^a (1 - x)^b / B(a, b) times 1 / (a + n_1 / (a + 1 + n_2 /
// (a + 2 + ...))), with n_(2m+1) = -(a + m)(a + b + m) x and n_(2m) =
// m (b - m) x: the usual continued fraction (Numerical Recipes, 6.4) with its
// denominators multiplied out, so that no step divides. It converges in
// O(sqrt(max(a, b))) steps when x < (a + 1) / (a + b + 2). The convergents
// come from the three-term recurrences, rescaled by a power of 2 when they
// grow large or small; the one division per pair of steps, for the
// convergence test, is off the recurrences' chain of dependent operations.
double betaFraction(double a, double b, double x) {
  constexpr int kMaxSteps = 100000;
  constexpr double kEpsilon = 1e-16;
  constexpr double kLarge = 0x1p500;
  constexpr double kSmall = 0x1p-500;
  double pBefore = 1.0;
  double qBefore = 0.0;
  double p = a;
  double q = 1.0;
  double fraction = 1.0 / a;
  for (int k = 1; k < kMaxSteps; k += 2) {
    const double m = (k - 1) / 2;
    const double odd = -(a + m) * (a + b + m) * x;
    const double even = (m + 1.0) * (b - m - 1.0) * x;
    const double p1 = (a + k) * p + odd * pBefore;
    const double q1 = (a + k) * q + odd * qBefore;
    pBefore = p1;
    qBefore = q1;
    p = (a + k + 1) * p1 + even * p;
    q = (a + k + 1) * q1 + even * q;
    if (const double size = std::fabs(p); size > kLarge || size < kSmall) {
      const double scale = size > kLarge ? kSmall : kLarge;
      p *= scale, q *= scale, pBefore *= scale, qBefore *= scale;
    }
    const double previous = fraction;
    fraction = q / p;
    if (std::fabs(fraction - previous) <= kEpsilon * std::fabs(fraction)) break;
  }
  return fraction;
}

// ln Gamma(a + 1/2) - ln Gamma(a): from a = 16 on its asymptotic series in
// Bernoulli numbers, 1/2 ln a - 1/(8a) + 1/(192a^3) - ..., to about 1e-16
// (two calls of lgamma would cost more and lose digits as a grows).
double logGammaHalfStep(double a) {
  if (a < 16.0) return std::lgamma(a + 0.5) - std::lgamma(a);
  const double r = 1.0 / a;
  const double r2 = r * r;
  return 0.5 * std::log(a) +
         r * (-1.0 / 8 + r2 * (1.0 / 192 + r2 * (-1.0 / 640 + r2 * (17.0 / 14336 + r2 * (-5115.0 / 3041280)))));
}

// I_x(a, b) given ln(1 / B(a, b)) and 1 - x apart (so that it keeps its digits
// when x is close to 1), on whichever side the fraction converges fast.
double incompleteBeta(double a, double b, double x, double oneMinusX, double logInverseBeta) {
  const bool direct = x < (a + 1.0) / (a + b + 2.0);
  if (direct && x <= 0.0) return 0.0;
  if (!direct && oneMinusX <= 0.0) return 1.0;
  const double front = std::exp(logInverseBeta + a * std::log(x) + b * std::log(oneMinusX));
  return direct ? front * betaFraction(a, b, x) : 1.0 - front * betaFraction(b, a, oneMinusX);
}

// P(T >= |t|) = I_x(df/2, 1/2) / 2 with x = df / (df + t^2), and 1 - x
// formed as t^2 / (df + t^2) rather than by subtraction.
double upperTailOfMagnitude(double t, double df) {
  const double t2 = t * t;
  if (std::isinf(t2)) return 0.0;
  const double sum = df + t2;
  const double a = 0.5 * df;
  // ln(1 / B(a, 1/2)) = ln Gamma(a + 1/2) - ln Gamma(a) - ln Gamma(1/2).
  const double logInverseBeta = logGammaHalfStep(a) - 0.5 * std::log(std::numbers::pi);
  return 0.5 * incompleteBeta(a, 0.5, df / sum, t2 / sum, logInverseBeta);
}

}  // namespace

double regularizedIncompleteBeta(double a, double b, double x) {
  if (!(a > 0.0) || !(b > 0.0) || !(x >= 0.0) || !(x <= 1.0)) return kNaN;
  return incompleteBeta(a, b, x, 1.0 - x, std::lgamma(a + b) - std::lgamma(a) - std::lgamma(b));
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
