#include "input/series.h"

#include <algorithm>

namespace veska::input {

Stretch longestStretch(const std::vector<float>& values) {
  Stretch best;
  for (std::size_t k = 0; k < values.size();) {
    if (isMissing(values[k])) {
      ++k;
      continue;
    }
    std::size_t end = k;
    while (end < values.size() && !isMissing(values[end])) ++end;
    if (end - k > best.length) best = {k, end - k};
    k = end;
  }
  return best;
}

std::size_t missingCount(const std::vector<float>& values) {
  return static_cast<std::size_t>(std::count_if(values.begin(), values.end(), isMissing));
}

Series keptStretch(const Series& series) {
  const Stretch kept = longestStretch(series.values);
  Series out = series;
  out.firstYear = series.firstYear + static_cast<std::int32_t>(kept.offset);
  const auto from = series.values.begin() + static_cast<std::ptrdiff_t>(kept.offset);
  out.values.assign(from, from + static_cast<std::ptrdiff_t>(kept.length));
  return out;
}

}  // namespace veska::input
