#include "match/break_check.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace veska::match {
namespace {

// Sums of the products and squares of the pairs a split takes, before ring k
// from one alignment and from ring k on from another.
struct Sums {
  double xy = 0.0;
  double xx = 0.0;
  double yy = 0.0;
  double n = 0.0;
};

// The fit of a set of pairs: n log(1 / (1 - r^2)) for r > 0, else 0 (a
// placement where the series disagree explains nothing).
double fitOf(const Sums& s) {
  if (!(s.xx > 0.0 && s.yy > 0.0)) return 0.0;
  const double r = s.xy / std::sqrt(s.xx * s.yy);
  if (!(r > 0.0)) return 0.0;
  return -s.n * std::log1p(-std::min(r * r, 0.999999));
}

// Running sums of the pairs (series[j], reference[j + offset]): entry k holds
// those of j < k (prefix) or j >= k (suffix).
std::vector<Sums> runningSums(const std::vector<double>& ref, const std::vector<double>& ser, int offset,
                              bool prefix) {
  const int n = static_cast<int>(ser.size());
  const int m = static_cast<int>(ref.size());
  std::vector<Sums> out(static_cast<std::size_t>(n) + 1);
  Sums acc;
  for (int step = 0; step < n; ++step) {
    const int j = prefix ? step : n - 1 - step;
    const int i = j + offset;
    if (i >= 0 && i < m) {
      const double x = ref[static_cast<std::size_t>(i)];
      const double y = ser[static_cast<std::size_t>(j)];
      acc.xy += x * y;
      acc.xx += x * x;
      acc.yy += y * y;
      acc.n += 1.0;
    }
    out[static_cast<std::size_t>(prefix ? step + 1 : j)] = acc;
  }
  return out;
}

Sums joined(const Sums& a, const Sums& b) { return {a.xy + b.xy, a.xx + b.xx, a.yy + b.yy, a.n + b.n}; }

// One split family: the part before k at `early`, from k on at early + s.
struct Family {
  int early = 0;
  int shift = 0;
  std::vector<double> gain;       // per k; -inf where a part is too short
  std::vector<double> agreement;  // per k: the summed products of all pairs
};

Family scanFamily(const std::vector<double>& ref, const std::vector<double>& ser, int early, int shift,
                  double wholeFit) {
  const std::vector<Sums> before = runningSums(ref, ser, early, true);
  const std::vector<Sums> after = runningSums(ref, ser, early + shift, false);
  constexpr double kNone = -std::numeric_limits<double>::infinity();
  Family f{early, shift, std::vector<double>(before.size(), kNone), std::vector<double>(before.size(), kNone)};
  for (std::size_t k = 0; k < before.size(); ++k) {
    if (before[k].n < kMinPartPairs || after[k].n < kMinPartPairs) continue;
    const Sums both = joined(before[k], after[k]);
    f.gain[k] = fitOf(both) - wholeFit;
    f.agreement[k] = both.xy;
  }
  return f;
}

// The likely range: the splits from the reported one to the best-fitting
// one, and around them those whose gain is within 2 of the best gain.
void markLikelyRange(const Family& f, std::size_t reported, std::size_t best, BreakCheck& check) {
  std::size_t lo = std::min(reported, best);
  std::size_t hi = std::max(reported, best);
  const double floor = f.gain[best] - 2.0;
  while (lo > 0 && f.gain[lo - 1] >= floor) --lo;
  while (hi + 1 < f.gain.size() && f.gain[hi + 1] >= floor) ++hi;
  check.likelyFirst = static_cast<int>(lo) + 1;
  check.likelyLast = static_cast<int>(hi) + 1;
}

}  // namespace

std::string_view checkWord(CheckAnswer answer) {
  switch (answer) {
    case CheckAnswer::Break: return "break";
    case CheckAnswer::None: return "none";
    case CheckAnswer::CannotCheck: return "cannot check";
    case CheckAnswer::NotChecked: break;
  }
  return "";
}

std::vector<double> scaledBySpread(std::span<const float> values, int window) {
  const int n = static_cast<int>(values.size());
  const int half = window / 2;
  std::vector<double> v(values.size());
  std::vector<double> squares(values.size() + 1, 0.0);
  for (int t = 0; t < n; ++t) {
    const float x = values[static_cast<std::size_t>(t)];
    v[static_cast<std::size_t>(t)] = std::isfinite(x) ? x : 0.0;
    squares[static_cast<std::size_t>(t) + 1] = squares[static_cast<std::size_t>(t)] + v[static_cast<std::size_t>(t)] * v[static_cast<std::size_t>(t)];
  }
  std::vector<double> out(values.size(), 0.0);
  for (int t = 0; t < n; ++t) {
    const int lo = std::max(0, t - half);
    const int hi = std::min(n, t + half + 1);
    const double meanSquare = (squares[static_cast<std::size_t>(hi)] - squares[static_cast<std::size_t>(lo)]) / (hi - lo);
    if (meanSquare > 0.0) out[static_cast<std::size_t>(t)] = v[static_cast<std::size_t>(t)] / std::sqrt(meanSquare);
  }
  return out;
}

double chanceOfBreakGain(double gain) {
  if (std::isnan(gain)) return 1.0;
  return std::min(1.0, std::exp(-(gain + 7.2) / 5.92));
}

float partT(std::span<const float> reference, std::span<const float> series, int offset, int from, int to,
            int& pairs) {
  double sx = 0, sy = 0, sxx = 0, syy = 0, sxy = 0;
  pairs = 0;
  for (int j = std::max(from, 0); j < std::min<int>(to, static_cast<int>(series.size())); ++j) {
    const int i = j + offset;
    if (i < 0 || i >= static_cast<int>(reference.size())) continue;
    const double x = reference[static_cast<std::size_t>(i)];
    const double y = series[static_cast<std::size_t>(j)];
    sx += x, sy += y, sxx += x * x, syy += y * y, sxy += x * y;
    ++pairs;
  }
  if (pairs < 3) return std::numeric_limits<float>::quiet_NaN();
  const double n = pairs;
  const double vx = sxx - sx * sx / n;
  const double vy = syy - sy * sy / n;
  if (!(vx > 0.0 && vy > 0.0)) return std::numeric_limits<float>::quiet_NaN();
  const double r = (sxy - sx * sy / n) / std::sqrt(vx * vy);
  if (std::fabs(r) >= 1.0) return static_cast<float>(std::copysign(std::numeric_limits<double>::infinity(), r));
  return static_cast<float>(r / std::sqrt((1.0 - r * r) / (n - 2.0)));
}

std::vector<float> runningAgreement(std::span<const float> reference, std::span<const float> series, int offset,
                                    int window) {
  const std::vector<double> ref = scaledBySpread(reference);
  const std::vector<double> ser = scaledBySpread(series);
  const int n = static_cast<int>(ser.size());
  const int half = window / 2;
  std::vector<float> out(ser.size(), std::numeric_limits<float>::quiet_NaN());
  for (int j = 0; j < n; ++j) {
    Sums s;
    for (int t = std::max(0, j - half); t <= std::min(n - 1, j + half); ++t) {
      const int i = t + offset;
      if (i < 0 || i >= static_cast<int>(ref.size())) continue;
      const double x = ref[static_cast<std::size_t>(i)];
      const double y = ser[static_cast<std::size_t>(t)];
      s.xy += x * y, s.xx += x * x, s.yy += y * y, s.n += 1.0;
    }
    if (s.n * 2 >= window && s.xx > 0.0 && s.yy > 0.0)
      out[static_cast<std::size_t>(j)] = static_cast<float>(s.xy / std::sqrt(s.xx * s.yy));
  }
  return out;
}

BreakCheck searchForBreak(std::span<const float> reference, std::span<const float> series, int offset) {
  const std::vector<double> ref = scaledBySpread(reference);
  const std::vector<double> ser = scaledBySpread(series);
  BreakCheck check;
  const Sums whole = runningSums(ref, ser, offset, true).back();
  const double wholeFit = fitOf(whole);
  check.wholeR = whole.xx > 0.0 && whole.yy > 0.0 ? whole.xy / std::sqrt(whole.xx * whole.yy) : 0.0;
  double bestGain = -std::numeric_limits<double>::infinity();
  for (const int s : {1, -1, 2, -2}) {
    for (const int early : {offset, offset - s}) {
      const Family f = scanFamily(ref, ser, early, s, wholeFit);
      const auto at = std::max_element(f.gain.begin(), f.gain.end());
      if (!(*at > bestGain)) continue;
      bestGain = *at;
      // The family is the best-fitting split's; the place, the split where
      // the two parts agree most with the reference in all (the fit's
      // maximum wanders further where r is weak).
      const auto best = static_cast<std::size_t>(at - f.gain.begin());
      const auto k = static_cast<std::size_t>(std::max_element(f.agreement.begin(), f.agreement.end()) -
                                              f.agreement.begin());
      check.breakRing = static_cast<int>(k) + 1;
      check.shift = s;
      check.earlyOffset = early;
      check.lateOffset = early + s;
      markLikelyRange(f, k, best, check);
    }
  }
  const double needed = check.wholeR > 0.0 ? 2.0 * 8.0 / (check.wholeR * check.wholeR)
                                           : std::numeric_limits<double>::infinity();
  if (!std::isfinite(bestGain)) {
    check = BreakCheck{CheckAnswer::CannotCheck};
    return check;
  }
  check.gain = bestGain;
  check.breakP = chanceOfBreakGain(bestGain);
  const int k = check.breakRing - 1;
  check.earlyT = partT(reference, series, check.earlyOffset, 0, k, check.earlyOverlap);
  check.lateT = partT(reference, series, check.lateOffset, k, static_cast<int>(series.size()), check.lateOverlap);
  if (check.breakP < kBreakFlagChance) check.answer = CheckAnswer::Break;
  else check.answer = whole.n < needed ? CheckAnswer::CannotCheck : CheckAnswer::None;
  return check;
}

}  // namespace veska::match
