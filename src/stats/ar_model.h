// The autoregressive model of one series: what fitArModel chooses, the listing
// shows and prewhiten applies.
#pragma once

#include <array>

namespace veska::stats {

inline constexpr int kMaxArOrder = 10;
// fitArModel evaluates order 11 to decide about order 10 and writes its estimate
// into the coefficients while searching.
inline constexpr int kCoefficientRoom = kMaxArOrder + 1;

struct ArModel {
  int order = 0;                  // p, 0 to 10
  float varianceExplained = 0.0f; // 1 - sigma^2_p / sigma^2_0; 0 when p = 0
  // phi_1 .. phi_p in x_t = phi_1 x_(t-1) + ... + phi_p x_(t-p) + e_t;
  // the entries after p are 0.
  std::array<float, kCoefficientRoom> coefficients{};
};

}  // namespace veska::stats
