#include "library/site_mean.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "stats/smoothing_spline.h"

namespace veska::library {
namespace {

constexpr double kMissing = std::numeric_limits<double>::quiet_NaN();
// Biweight weights fall to 0 at this many median absolute deviations.
constexpr double kBiweightReach = 9.0;
// A curve this close to 0 (a share of its stretch's mean) gives no index:
// the ratio would explode.
constexpr double kLowestCurve = 0.1;

bool measured(float v) { return std::isfinite(v) && v >= 0.0f; }

// The series' indices, NaN where it has none (a missing value, a stretch
// too short to detrend, a curve near 0). Each stretch of measured values is
// detrended on its own: a gap in a series may hide any number of rings.
std::vector<double> indicesOf(const input::Series& s, double stiffness) {
  std::vector<double> index(s.values.size(), kMissing);
  std::size_t k = 0;
  while (k < s.values.size()) {
    if (!measured(s.values[k])) {
      ++k;
      continue;
    }
    std::size_t end = k;
    while (end < s.values.size() && measured(s.values[end])) ++end;
    std::vector<double> y(s.values.begin() + static_cast<std::ptrdiff_t>(k),
                          s.values.begin() + static_cast<std::ptrdiff_t>(end));
    double mean = 0.0;
    for (const double v : y) mean += v;
    mean /= static_cast<double>(y.size());
    if (y.size() >= static_cast<std::size_t>(kMinDetrendedRings) && mean > 0.0) {
      const std::vector<double> curve = stats::smoothingSpline(y, stiffness);
      for (std::size_t j = 0; j < y.size(); ++j)
        if (curve[j] > kLowestCurve * mean) index[k + j] = y[j] / curve[j];
    }
    k = end;
  }
  return index;
}

double median(std::vector<double> x) {
  const std::size_t half = x.size() / 2;
  std::nth_element(x.begin(), x.begin() + static_cast<std::ptrdiff_t>(half), x.end());
  const double upper = x[half];
  if (x.size() % 2) return upper;
  return (*std::max_element(x.begin(), x.begin() + static_cast<std::ptrdiff_t>(half)) + upper) / 2.0;
}

// The longest run of years with enough trees (the earliest of equal ones),
// as [start, start + length).
std::pair<std::size_t, std::size_t> longestCovered(const std::vector<std::vector<double>>& byYear) {
  std::size_t bestStart = 0, bestLength = 0;
  for (std::size_t k = 0; k < byYear.size();) {
    if (byYear[k].size() < static_cast<std::size_t>(kMinTreesPerYear)) {
      ++k;
      continue;
    }
    std::size_t end = k;
    while (end < byYear.size() && byYear[end].size() >= static_cast<std::size_t>(kMinTreesPerYear)) ++end;
    if (end - k > bestLength) {
      bestStart = k;
      bestLength = end - k;
    }
    k = end;
  }
  return {bestStart, bestLength};
}

}  // namespace

double biweightMean(const std::vector<double>& x) {
  if (x.empty()) return kMissing;
  double centre = median(x);
  std::vector<double> deviations;
  for (const double v : x) deviations.push_back(std::abs(v - centre));
  const double spread = median(deviations);
  if (spread == 0.0) return centre;
  for (int round = 0; round < 20; ++round) {
    double weighted = 0.0, weights = 0.0;
    for (const double v : x) {
      const double u = (v - centre) / (kBiweightReach * spread);
      if (std::abs(u) >= 1.0) continue;
      const double w = (1.0 - u * u) * (1.0 - u * u);
      weighted += w * v;
      weights += w;
    }
    const double next = weighted / weights;  // the median's own weight is never 0
    const bool settled = std::abs(next - centre) <= 1e-12 * std::max(1.0, std::abs(centre));
    centre = next;
    if (settled) break;
  }
  return centre;
}

SiteMean siteMean(const std::vector<input::Series>& series) {
  SiteMean mean;
  const double stiffness = stats::splineStiffness(kSplineYears);
  std::int64_t first = std::numeric_limits<std::int64_t>::max();
  std::int64_t last = std::numeric_limits<std::int64_t>::min();
  std::vector<std::pair<const input::Series*, std::vector<double>>> taking;
  for (const input::Series& s : series) {
    std::vector<double> index = indicesOf(s, stiffness);
    if (std::none_of(index.begin(), index.end(), [](double v) { return std::isfinite(v); })) continue;
    first = std::min<std::int64_t>(first, s.firstYear);
    last = std::max<std::int64_t>(last, s.lastYear());
    taking.emplace_back(&s, std::move(index));
  }
  if (taking.empty()) return mean;

  std::vector<std::vector<double>> byYear(static_cast<std::size_t>(last - first + 1));
  for (const auto& [s, index] : taking) {
    const auto offset = static_cast<std::size_t>(s->firstYear - first);
    for (std::size_t k = 0; k < index.size(); ++k)
      if (std::isfinite(index[k])) byYear[offset + k].push_back(index[k]);
  }
  const auto [start, length] = longestCovered(byYear);
  if (length == 0) return mean;
  mean.firstYear = static_cast<std::int32_t>(first + static_cast<std::int64_t>(start));
  for (std::size_t k = start; k < start + length; ++k) mean.values.push_back(static_cast<float>(biweightMean(byYear[k])));
  mean.treeCount = static_cast<int>(taking.size());
  return mean;
}

}  // namespace veska::library
