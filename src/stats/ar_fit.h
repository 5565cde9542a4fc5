// fitArModel: centres a series in place and gives it the autoregressive model,
// fitted by Burg's method, whose order the corrected Akaike criterion picks.
#pragma once

#include <span>

#include "stats/ar_model.h"
#include "stats/burg.h"

namespace veska::stats {

// The maximum order a run asks for: order 11 is weighed to decide about 10.
inline constexpr int kOrdersWeighed = kCoefficientRoom;

// Subtracts the mean from every value and returns it. The sum runs in double
// and the mean is rounded once to single precision, as every quantity stored
// from a sum is; each centred value is rounded to single precision. An empty
// series has mean 0.
float centre(std::span<float> x);

// The whole series is fitted (no values are skipped at either end) and the
// order is always chosen automatically: the run asks for nothing else.
//
// Orders 1 .. maxOrder are weighed in turn (maxOrder is held to 1 .. 11);
// from order 2 on, a criterion above the previous one (or NaN) stops the
// search and keeps the previous order, which falls back to 0 when its
// criterion exceeds C_0. Without a stop the order is maxOrder - 1.
// Fewer than 4 values, or a variance that is 0 or not finite: order 0, since
// the criteria of a shorter series are not all defined. A reflection
// denominator of 0 at order k (all prediction errors 0) stops there with
// order k - 1 and the same fall-back, so that no NaN coefficient reaches a
// model. The series is centred in every case.
ArModel fitArModel(std::span<float> x, int maxOrder, ArWork& work);

}  // namespace veska::stats
