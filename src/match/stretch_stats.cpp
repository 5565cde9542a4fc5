#include "match/stretch_stats.h"

#include <algorithm>

#include "match/correlation.h"

namespace veska::match {

// One kernel call gives both kinds: lane q broadcasts x[1..len - q] and reads
// x from value q + 1 to the last, so it forms the leading stretch of length
// len - q and the trailing stretch that starts at q.
void computeStretchStats(std::span<const float> x, Isa isa, KernelScratch& scratch, StretchStats& stats) {
  const int len = static_cast<int>(std::min<std::size_t>(x.size(), input::kMaxLength));
  stats.length = len;
  const auto n = static_cast<std::size_t>(len);
  stats.leadingMean.assign(n + 1, 0.0f);
  stats.leadingSquares.assign(n + 1, 0.0f);
  stats.trailingMean.assign(n, 0.0f);
  stats.trailingSquares.assign(n, 0.0f);
  stats.leadingMean[0] = meanOfSum(0.0, 0);  // the empty stretch, as correlate sees it

  std::fill(std::copy(x.begin(), x.begin() + len, scratch.first.begin()), scratch.first.end(), 0.0);
  for (int q = 0; q < len; ++q) scratch.overlap[static_cast<std::size_t>(q)] = len - q;
  LaneJob job;
  job.broadcast = scratch.first.data();
  job.contiguous = scratch.first.data();
  job.overlap = scratch.overlap.data();
  job.lanes = len;
  job.outMeanB = scratch.outMeanB.data();
  job.outMeanC = scratch.outMeanC.data();
  job.sumBB = scratch.sumBB.data();
  job.sumCC = scratch.sumCC.data();
  job.sumBC = scratch.sumBC.data();
  correlateLanes(job, isa);
  for (std::size_t q = 0; q < n; ++q) {
    stats.leadingMean[n - q] = static_cast<float>(scratch.outMeanB[q]);
    stats.leadingSquares[n - q] = toSingle(scratch.sumBB[q]);
    stats.trailingMean[q] = static_cast<float>(scratch.outMeanC[q]);
    stats.trailingSquares[q] = toSingle(scratch.sumCC[q]);
  }
}

}  // namespace veska::match
