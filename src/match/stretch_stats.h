// The statistics of the stretches of one series that the placements of many
// pairs share. In phase A the first series always takes part with a leading
// stretch x[1..m], and the second, whenever the overlap reaches its end, with
// a trailing stretch x[s..len]; phase B the other way round. correlate's mean
// and Σ(x - mean)² of such a stretch depend on that series alone, so they
// are formed once per series (each afresh over its own stretch, in rising
// index, exactly as correlate forms them) instead of once per pair. Only the
// cross sum Σ(x - mx)(y - my) is left to each pair.
#pragma once

#include <span>
#include <vector>

#include "match/placement_kernels.h"

namespace veska::match {

struct StretchStats {
  int length = 0;
  // Index m = 0..length: the stretch x[1..m].
  std::vector<float> leadingMean;
  std::vector<float> leadingSquares;  // Σ(x - mean)², rounded to single as correlate rounds it
  // Index s = 0..length-1: the stretch from value s + 1 to the last.
  std::vector<float> trailingMean;
  std::vector<float> trailingSquares;
};

// At most input::kMaxLength values of x take part.
void computeStretchStats(std::span<const float> x, Isa isa, KernelScratch& scratch, StretchStats& stats);

}  // namespace veska::match
