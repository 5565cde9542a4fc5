// The chance probability of a pair's best placement: how likely two series
// that share no signal reach its t-statistic or more at one of the
// placements tried.
#pragma once

namespace veska::library {

// Šidák's correction of the one-sided t-test, 1 - (1 - p1)^N, with p1 the
// probability of t or more with overlap - 2 degrees of freedom and N the
// placements tried. An infinite t gives 0, a t of 0 or less 1.
double pairChance(float t, int overlap, int placements);

}  // namespace veska::library
