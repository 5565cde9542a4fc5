#include "stats/prewhiten.h"

#include <algorithm>

#include "stats/ar_fit.h"

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

void backcast(std::span<float> w, int n, int p, std::span<const float> phi, int s) {
  if (p <= 0 || n < 0 || s < 0) return;
  if (static_cast<std::size_t>(p) > phi.size()) return;
  if (static_cast<std::size_t>(n) + static_cast<std::size_t>(s) > w.size()) return;

  std::copy_backward(w.begin(), w.begin() + n, w.begin() + n + s);
  // 0-based: w[t - 1] is w_t.
  for (int t = s; t >= 1; --t) {
    const int terms = std::min(p, n + s - t);
    float sum = 0.0f;
    for (int i = 1; i <= terms; ++i) {
      sum = static_cast<float>(static_cast<double>(sum) +
                               static_cast<double>(phi[static_cast<std::size_t>(i - 1)]) *
                                   w[static_cast<std::size_t>(t + i - 1)]);
    }
    w[static_cast<std::size_t>(t - 1)] = sum;
  }
}

}  // namespace veska::stats
