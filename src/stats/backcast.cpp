#include "stats/backcast.h"

#include <algorithm>

namespace veska::stats {

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
