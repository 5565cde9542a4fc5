// Burg's estimates of rising order for a centred series x_1 .. x_N.
//
// At order k, from the forward and backward prediction errors f_j, b_j of
// order k - 1 (j = 1 .. N - k):
//   d_k = 2 sum f_j b_j / sum (f_j^2 + b_j^2)                  reflection
//   phi_k = d_k, phi_i = phi_i' - d_k phi_(k-i)' (i < k)       Levinson, ' = order k - 1
//   sigma^2_k = sigma^2_(k-1) (1 - d_k^2)
// then, in rising j, f_j <- f_j - d_k b_j and b_j <- b_(j+1) - d_k f_(j+1)
// with the f_(j+1) from before the update. Stored quantities are single
// precision; sums run in double and are rounded once when stored, so that
// no quantity carries the rounding of its partial sums.
#pragma once

#include <array>
#include <span>
#include <vector>

#include "stats/ar_model.h"

namespace veska::stats {

// Scratch of the recursion, owned by the caller so that a run allocates it
// once: the prediction errors (N - 1 of each) and the previous order's
// coefficients.
struct ArWork {
  explicit ArWork(int capacity);
  std::vector<float> forward;
  std::vector<float> backward;
  std::array<float, kCoefficientRoom> previous{};
};

class BurgRecursion {
 public:
  enum class Step { Raised, ZeroDenominator, NoRoom };

  // x: the centred series; variance0: its variance with divisor N. phi
  // receives the coefficients of the current order. The error tables grow
  // only for a series longer than the work was made for.
  BurgRecursion(std::span<const float> x, float variance0, ArWork& work,
                std::span<float, kCoefficientRoom> phi);

  // Raises the order by one. Nothing changes when the reflection denominator
  // is 0 (the errors are all 0, and the quotient would be a NaN that no model
  // may carry) or when order k + 1 would leave no error term or no room for
  // its coefficients.
  Step raiseOrder();

  int order() const { return k_; }
  float reflection() const { return d_; }
  float variance() const { return variance_; }                  // sigma^2_k
  float previousVariance() const { return previousVariance_; }  // sigma^2_(k-1)

 private:
  void updateErrors();

  int n_;
  ArWork& work_;
  std::span<float, kCoefficientRoom> phi_;
  int k_ = 0;
  float d_ = 0.0f;
  float variance_;
  float previousVariance_;
};

}  // namespace veska::stats
