// The corrected Akaike criterion and the rule that picks an order from the
// criteria of rising order.
#pragma once

#include <optional>

namespace veska::stats {

// C_0 = N ln sigma^2_0 + 2, without the small-sample term;
// C_k = N ln sigma^2_k + 2(k + 1) + 2(k + 1)(k + 2) / (N - k - 2) for k >= 1,
// the term +Inf when N - k - 2 = 0. Natural logarithm; computed in double and
// rounded once to single precision.
float criterion(int n, int k, float variance);

// The order kept when the search stops at order k: k - 1, or 0 when the
// criterion of order k - 1 exceeds C_0 (strictly).
int orderOnStop(int k, float c0, float previous);

// Given C_k just computed (previous = C_(k-1)) in a search that weighs orders
// up to maxOrder: the chosen order when the search ends at k, nothing when it
// goes on. From k = 2 on, a C_k that is not <= C_(k-1) (larger, or NaN) stops
// it; an equal value goes on. At k = maxOrder without a stop the order is
// maxOrder - 1, not compared with C_0.
std::optional<int> orderAfter(int k, int maxOrder, float c0, float previous, float current);

}  // namespace veska::stats
