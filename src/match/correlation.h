// Pearson correlation of two stretches of a series pair, as the match search
// measures it, and the t-statistic of that correlation.
//
// The rounding points are part of the result: the sums of x and y are rounded
// to single precision before the means are formed, the three sums of
// deviations are accumulated in double and rounded to single at the end, and r
// is rounded to single. The fast search (placement_kernels.h) must reproduce
// every bit, so the scalar steps it shares with correlate live here, once.
#pragma once

#include <cmath>
#include <span>

namespace veska::match {

// r of x[1..m] and y[1..m], m = x.size() = y.size(). Every sum runs over the
// stretch in rising index. A stretch without variance gives NaN; identical
// stretches give r = 1.
float correlate(std::span<const float> x, std::span<const float> y);

// The three sums of deviations that correlate rounds, before rounding: Σ(x -
// mx)², Σ(y - my)², Σ(x - mx)(y - my), the means formed as correlate forms them.
struct DeviationSums {
  double xx = 0.0;
  double yy = 0.0;
  double xy = 0.0;
};
DeviationSums deviationSums(std::span<const float> x, std::span<const float> y);

// A double rounded to single. GCC 12 folds (double)(float)v back to v when
// its vectorizer pairs two such conversions (two-element vectors), so the
// rounding would silently vanish from whichever routine the vectorizer
// happened to touch; the empty asm makes the rounded value opaque to it.
inline float toSingle(double v) {
  float f = static_cast<float>(v);
#if defined(__GNUC__) && defined(__x86_64__)
  __asm__("" : "+x"(f));
#else
  volatile float opaque = f;
  f = opaque;
#endif
  return f;
}

// Σ/m of a sum already rounded to single, rounded to single.
inline float meanOfSum(double sum, int m) {
  return toSingle(static_cast<double>(toSingle(sum)) / static_cast<double>(m));
}

// r from the three sums of deviations, each rounded to single first; the
// product and the root in double, r rounded to single.
inline float correlationOfSums(double sxx, double syy, double sxy) {
  const double product = static_cast<double>(toSingle(sxx)) * static_cast<double>(toSingle(syy));
  return toSingle(static_cast<double>(toSingle(sxy)) / std::sqrt(product));
}

// t = r / sqrt((1 - r^2) / (m - 2)) in double from the single r, stored
// single. |r| = 1 gives an infinite t; m = 2 gives a zero t (or NaN).
inline float tStatistic(float r, int m) {
  const double rd = r;
  return toSingle(rd / std::sqrt((1.0 - rd * rd) / static_cast<double>(m - 2)));
}

}  // namespace veska::match
