#include "stats/burg.h"

#include <algorithm>

namespace veska::stats {

ArWork::ArWork(int capacity)
    : forward(static_cast<std::size_t>(std::max(capacity, 0))),
      backward(static_cast<std::size_t>(std::max(capacity, 0))) {}

BurgRecursion::BurgRecursion(std::span<const float> x, float variance0, ArWork& work,
                             std::span<float, kCoefficientRoom> phi)
    : n_(static_cast<int>(x.size())),
      work_(work),
      phi_(phi),
      variance_(variance0),
      previousVariance_(variance0) {
  std::fill(phi_.begin(), phi_.end(), 0.0f);
  work_.previous.fill(0.0f);
  if (n_ < 2) return;
  const auto errors = static_cast<std::size_t>(n_ - 1);
  if (work_.forward.size() < errors) work_.forward.resize(errors);
  if (work_.backward.size() < errors) work_.backward.resize(errors);
  // Order 0: f_j = x_j, b_j = x_(j+1).
  std::copy(x.begin(), x.end() - 1, work_.forward.begin());
  std::copy(x.begin() + 1, x.end(), work_.backward.begin());
}

BurgRecursion::Step BurgRecursion::raiseOrder() {
  const int k = k_ + 1;
  if (k > kCoefficientRoom || k >= n_) return Step::NoRoom;
  const std::span<const float> f(work_.forward.data(), static_cast<std::size_t>(n_ - k));
  const std::span<const float> b(work_.backward.data(), f.size());
  double products = 0.0;
  double squares = 0.0;
  for (std::size_t j = 0; j < f.size(); ++j) {
    products += static_cast<double>(f[j]) * b[j];
    squares += static_cast<double>(f[j]) * f[j] + static_cast<double>(b[j]) * b[j];
  }
  // Errors all 0: the quotient would be a NaN that no model may carry.
  if (!(squares > 0.0)) return Step::ZeroDenominator;

  const auto d = static_cast<float>(2.0 * products / squares);
  std::copy(phi_.begin(), phi_.begin() + (k - 1), work_.previous.begin());
  const auto& prev = work_.previous;
  for (int i = 1; i < k; ++i) {
    phi_[static_cast<std::size_t>(i - 1)] = static_cast<float>(
        static_cast<double>(prev[static_cast<std::size_t>(i - 1)]) -
        static_cast<double>(d) * prev[static_cast<std::size_t>(k - i - 1)]);
  }
  phi_[static_cast<std::size_t>(k - 1)] = d;
  previousVariance_ = variance_;
  variance_ = static_cast<float>(static_cast<double>(variance_) * (1.0 - static_cast<double>(d) * d));
  d_ = d;
  k_ = k;
  updateErrors();
  return Step::Raised;
}

void BurgRecursion::updateErrors() {
  // j = 1 .. N - k - 1; b_j reads f_(j+1) before that one is updated.
  auto& f = work_.forward;
  auto& b = work_.backward;
  const double d = d_;
  const auto last = static_cast<std::size_t>(n_ - k_ - 1);
  for (std::size_t j = 0; j < last; ++j) {
    f[j] = static_cast<float>(f[j] - d * b[j]);
    b[j] = static_cast<float>(b[j + 1] - d * f[j + 1]);
  }
}

}  // namespace veska::stats
