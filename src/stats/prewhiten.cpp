#include "stats/prewhiten.h"

#include <algorithm>

#include "stats/backcast.h"
#include "stats/centre.h"

namespace veska::stats {

void prewhiten(std::span<float> x, std::vector<float>& w, int p, std::span<const float> phi) {
  if (p < 0 || static_cast<std::size_t>(p) > phi.size()) return;
  const std::size_t n = x.size();
  const auto order = static_cast<std::size_t>(p);
  if (w.size() < n + order) w.resize(n + order);

  centre(x);
  std::copy(x.begin(), x.end(), w.begin());
  backcast(w, static_cast<int>(n), p, phi, p);
  // 0-based: w[order + t] is year t + 1 of the series.
  for (std::size_t t = 0; t < n; ++t) {
    double sum = 0.0;
    for (std::size_t j = 1; j <= order; ++j) sum += static_cast<double>(phi[j - 1]) * w[order + t - j];
    x[t] = static_cast<float>(static_cast<double>(w[order + t]) - sum);
  }
}

}  // namespace veska::stats
