#include "match/pair_trust.h"

#include <algorithm>
#include <cmath>

#include "stats/t_distribution.h"

namespace veska::match {
namespace {

// The share of the inflation's excess over 1 that deflates t.
constexpr double kInflationShare = 0.1;

// Thresholds of the verdicts (see the README for how often each was right).
constexpr double kStrongChance = 0.01;
constexpr double kLikelyChance = 0.05;
constexpr double kPossibleChance = 0.2;
constexpr float kStrongMargin = 1.5f;

double meanOf(std::span<const float> v) {
  double sum = 0.0;
  for (const float x : v) sum += x;
  return sum / static_cast<double>(v.size());
}

}  // namespace

std::string_view verdictWord(Verdict verdict) {
  switch (verdict) {
    case Verdict::None: return "none";
    case Verdict::Chance: return "chance";
    case Verdict::Possible: return "possible";
    case Verdict::Likely: return "likely";
    case Verdict::Strong: return "strong";
  }
  return "none";
}

double varianceInflation(std::span<const float> x, std::span<const float> y) {
  const std::size_t n = std::min(x.size(), y.size());
  if (n < 3) return 1.0;
  const double mx = meanOf(x.first(n));
  const double my = meanOf(y.first(n));
  double sxx = 0.0;
  double syy = 0.0;
  double products = 0.0;
  for (std::size_t i = 0; i < n; ++i) {
    const double a2 = (x[i] - mx) * (x[i] - mx);
    const double b2 = (y[i] - my) * (y[i] - my);
    sxx += a2;
    syy += b2;
    products += a2 * b2;
  }
  const double factor = static_cast<double>(n) * products / (sxx * syy);
  // A NaN or infinite factor (no variance, an overflow) says nothing.
  return std::isfinite(factor) ? factor : 1.0;
}

double chanceOfReaching(float t, int overlap, double inflation, int placements) {
  if (std::isnan(t)) return 1.0;
  // An overlap of 2 or fewer values has no degrees of freedom: no evidence.
  if (overlap <= 2) return 1.0;
  const double deflated = static_cast<double>(t) / std::sqrt(std::max(1.0 + kInflationShare * (inflation - 1.0), 1.0));
  return std::clamp(stats::chanceOfReachingIn(deflated, overlap - 2, placements), 0.0, 1.0);
}

Verdict verdictOf(double pChance, std::optional<float> margin) {
  if (pChance < kStrongChance && (!margin || *margin >= kStrongMargin)) return Verdict::Strong;
  if (pChance < kLikelyChance) return Verdict::Likely;
  if (pChance < kPossibleChance) return Verdict::Possible;
  return Verdict::Chance;
}

}  // namespace veska::match
