// prewhiten: replaces a series by the residuals of its AR model, one per
// year, the first years' residuals drawing on backcasts.
#pragma once

#include <span>
#include <vector>

namespace veska::stats {

// The series is first centred again (fitArModel has centred it, so this removes
// only the rounding residue of that centring) and copied into w after p
// backcasts (backcast with s = p); then e_t = w_(p+t) - sum phi_j w_(p+t-j),
// j = 1 .. p in rising j, the sum in double, rounded once, replaces x_t.
// w is scratch of n + p values; it grows only when it is shorter, which the
// run's buffer never is. Nothing changes when phi holds fewer than p
// coefficients or p is negative.
void prewhiten(std::span<float> x, std::vector<float>& w, int p, std::span<const float> phi);

}  // namespace veska::stats
