#include "library/site_mean.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace veska::library {
namespace {

// The mean of the values that are not missing; 0 when there are none.
double meanOf(const std::vector<float>& values) {
  double sum = 0.0;
  std::size_t n = 0;
  for (const float v : values) {
    if (input::isMissing(v)) continue;
    sum += v;
    ++n;
  }
  return n == 0 ? 0.0 : sum / static_cast<double>(n);
}

}  // namespace

SiteMean siteMean(const std::vector<input::Series>& series) {
  SiteMean mean;
  std::int64_t first = std::numeric_limits<std::int64_t>::max();
  std::int64_t last = std::numeric_limits<std::int64_t>::min();
  std::vector<std::pair<const input::Series*, double>> taking;
  for (const input::Series& s : series) {
    const double m = meanOf(s.values);
    if (s.values.empty() || !std::isfinite(m) || m <= 0.0) continue;
    taking.emplace_back(&s, m);
    first = std::min<std::int64_t>(first, s.firstYear);
    last = std::max<std::int64_t>(last, s.lastYear());
  }
  if (taking.empty()) return mean;

  const auto years = static_cast<std::size_t>(last - first + 1);
  std::vector<double> sum(years, 0.0);
  std::vector<int> count(years, 0);
  for (const auto& [s, m] : taking) {
    const auto offset = static_cast<std::size_t>(s->firstYear - first);
    for (std::size_t k = 0; k < s->values.size(); ++k) {
      // A missing ring says nothing of its year: the other trees carry it.
      if (input::isMissing(s->values[k])) continue;
      sum[offset + k] += s->values[k] / m;
      ++count[offset + k];
    }
  }

  std::size_t bestStart = 0, bestLength = 0;
  for (std::size_t k = 0; k < years;) {
    if (count[k] < kMinTreesPerYear) {
      ++k;
      continue;
    }
    std::size_t end = k;
    while (end < years && count[end] >= kMinTreesPerYear) ++end;
    if (end - k > bestLength) {
      bestStart = k;
      bestLength = end - k;
    }
    k = end;
  }
  if (bestLength == 0) return mean;
  mean.firstYear = static_cast<std::int32_t>(first + static_cast<std::int64_t>(bestStart));
  for (std::size_t k = bestStart; k < bestStart + bestLength; ++k)
    mean.values.push_back(static_cast<float>(sum[k] / count[k]));
  mean.treeCount = static_cast<int>(taking.size());
  return mean;
}

}  // namespace veska::library
