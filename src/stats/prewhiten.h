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

// Extends a series backwards with values its AR model predicts from the
// values that follow them. On entry w_1 .. w_n hold the series. The values
// move up by s places (from the end, so none is overwritten before it moves)
// and, for t = s down to 1, w_t = sum phi_i w_(t+i), i = 1 .. p in rising i,
// from 0, rounded to single precision after every term; the later backcasts
// use the earlier ones. A stationary AR process has the same coefficients run
// backwards in time. p = 0 leaves w unchanged. w must hold n + s values and
// phi p coefficients: otherwise w is left unchanged. Terms beyond w_(n+s),
// which only a series shorter than its order would need, are left out.
void backcast(std::span<float> w, int n, int p, std::span<const float> phi, int s);

}  // namespace veska::stats
