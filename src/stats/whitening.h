// A series made ready for the match search: its model fitted, then the series
// replaced by the model's residuals. The run does this to every series it
// reads, and the library search to every reference and undated series, so
// that both compare the same values.
#pragma once

#include <span>
#include <vector>

#include "stats/ar_fit.h"

namespace veska::stats {

// The scratch of the series' models, made once for the longest series to
// come and reused for every series: nothing is allocated while series are
// processed.
struct WhiteningWork {
  explicit WhiteningWork(int capacity)
      : ar(capacity), extended(static_cast<std::size_t>(capacity) + kMaxArOrder) {}
  ArWork ar;
  std::vector<float> extended;
};

// Fits the series' model (every order the run weighs), then prewhitens the
// series in place with it when its order is 1 or more; an order-0 series is
// left centred. Returns the model.
ArModel whiten(std::span<float> x, WhiteningWork& work);

}  // namespace veska::stats
