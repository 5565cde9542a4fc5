// backcast: extends a series backwards with values its AR model predicts
// from the values that follow them.
#pragma once

#include <span>

namespace veska::stats {

// On entry w_1 .. w_n hold the series. The values move up by s places (from
// the end, so none is overwritten before it moves) and, for t = s down to 1,
// w_t = sum phi_i w_(t+i), i = 1 .. p in rising i, from 0, rounded to single
// precision after every term; the later backcasts use the earlier ones. A
// stationary AR process has the same coefficients run backwards in time.
// p = 0 leaves w unchanged. w must hold n + s values and phi p coefficients:
// otherwise w is left unchanged. Terms beyond w_(n+s), which only a series
// shorter than its order would need, are left out.
void backcast(std::span<float> w, int n, int p, std::span<const float> phi, int s);

}  // namespace veska::stats
