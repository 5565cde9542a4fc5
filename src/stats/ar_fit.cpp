#include "stats/ar_fit.h"

#include <algorithm>
#include <cmath>

#include "stats/order_choice.h"

namespace veska::stats {
namespace {

constexpr int kMinimumLength = 4;  // shorter series leave some criteria undefined

float meanSquare(std::span<const float> x) {
  double sum = 0.0;
  for (const float v : x) sum += static_cast<double>(v) * v;
  return static_cast<float>(sum / static_cast<double>(x.size()));
}

// phi is taken by value: it may be the model's own coefficients.
void keepOrder(ArModel& model, int order, std::array<float, kCoefficientRoom> phi, float variance,
               float variance0) {
  model.order = order;
  std::fill(model.coefficients.begin(), model.coefficients.end(), 0.0f);
  if (order == 0) {
    model.varianceExplained = 0.0f;
    return;
  }
  std::copy(phi.begin(), phi.begin() + order, model.coefficients.begin());
  model.varianceExplained = static_cast<float>(1.0 - static_cast<double>(variance) / variance0);
}

}  // namespace

float centre(std::span<float> x) {
  if (x.empty()) return 0.0f;
  double sum = 0.0;
  for (const float v : x) sum += v;
  const auto mean = static_cast<float>(sum / static_cast<double>(x.size()));
  for (float& v : x) v = static_cast<float>(static_cast<double>(v) - mean);
  return mean;
}

ArModel fitArModel(std::span<float> x, int maxOrder, ArWork& work) {
  ArModel model;
  centre(x);
  const int n = static_cast<int>(x.size());
  if (n < kMinimumLength) return model;
  const float variance0 = meanSquare(x);
  if (!(variance0 > 0.0f && std::isfinite(variance0))) return model;

  const int m = std::clamp(maxOrder, 1, kCoefficientRoom);
  BurgRecursion burg(x, variance0, work, model.coefficients);
  const float c0 = criterion(n, 0, variance0);
  float previous = c0;
  for (int k = 1; k <= m; ++k) {
    if (burg.raiseOrder() != BurgRecursion::Step::Raised) {
      // The coefficients and variance are still those of order k - 1.
      keepOrder(model, orderOnStop(k, c0, previous), model.coefficients, burg.variance(), variance0);
      return model;
    }
    const float current = criterion(n, k, burg.variance());
    if (const auto order = orderAfter(k, m, c0, previous, current)) {
      // The stop at k keeps order k - 1's own coefficients, not a prefix of order k's.
      keepOrder(model, *order, work.previous, burg.previousVariance(), variance0);
      return model;
    }
    previous = current;
  }
  return model;
}

}  // namespace veska::stats
