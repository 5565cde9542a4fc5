#include "match/placements.h"

#include <algorithm>

#include "match/correlation.h"

namespace veska::match {
namespace {

// Values beyond the room of a series table never take part.
std::span<const float> usedValues(const PairSeries& series) {
  return series.values.first(std::min<std::size_t>(series.values.size(), input::kMaxLength));
}

int phaseACount(int len2) { return std::max(len2 - (kMinOverlap - 1), 0); }
int phaseBCount(int len1) { return std::max(len1 - kMinOverlap, 0); }

// The geometry of every placement; the statistics are filled separately.
void layOut(int len1, int len2, std::int32_t first1, std::int32_t first2, PlacementTable& table) {
  table.count = std::min(placementCount(len1, len2), kPlacementRoom);
  for (int k = 0; k < table.count; ++k) {
    const Placement p = placementAt(k, len1, len2, first1, first2);
    const auto at = static_cast<std::size_t>(k);
    table.overlap[at] = p.overlap;
    table.lastRingFirst[at] = p.lastRingFirst;
    table.lastRingSecond[at] = p.lastRingSecond;
  }
}

void setStatistics(PlacementTable& table, int k, float r, int m) {
  const auto at = static_cast<std::size_t>(k);
  table.correlation[at] = r;
  table.tStatistic[at] = tStatistic(r, m);
}

template <std::size_t N>
void copyPadded(std::span<const float> values, std::array<double, N>& out) {
  std::fill(std::copy(values.begin(), values.end(), out.begin()), out.end(), 0.0);
}

// One phase of the fast routine. Lane q of the phase broadcasts the leading
// stretch of `lead` and reads `other` from value q + 1 + shift. While the
// overlap is cut short by `lead` (m = len of lead) the stretch of `other` is
// a window, whose mean and squares the kernel forms; from there on it runs to
// the end of `other`, and both stretches' statistics come from the series'
// own tables, leaving the kernel only the cross sum. `leadIsFirst` tells
// which series is x in correlate's terms.
struct Phase {
  const double* lead;
  const double* other;
  const StretchStats* leadStats;
  const StretchStats* otherStats;
  int shift;       // 0 in phase A (s = q + 1), 1 in phase B (s = q + 2)
  int lanes;
  bool leadIsFirst;
  int tableStart;  // table index of lane 0
  int tableStep;   // -1 in phase A (falling s), +1 in phase B
};

void runPhase(const Phase& ph, PlacementTable& table, Isa isa, KernelScratch& sc) {
  const int leadLen = ph.leadStats->length;
  const int otherLen = ph.otherStats->length;
  // Lanes before `windows` have m = leadLen and a window of `other`.
  const int windows = std::clamp(otherLen - ph.shift - leadLen, 0, ph.lanes);

  const auto finish = [&](int q, int m, double sumXX, double sumYY, double sumXY) {
    const float r = ph.leadIsFirst ? correlationOfSums(sumXX, sumYY, sumXY) : correlationOfSums(sumYY, sumXX, sumXY);
    setStatistics(table, ph.tableStart + ph.tableStep * q, r, m);
  };

  LaneJob job;
  job.broadcast = ph.lead;
  job.overlap = sc.overlap.data();
  job.meanB = sc.meanB.data();
  job.outMeanC = sc.outMeanC.data();
  job.sumCC = sc.sumCC.data();
  job.sumBC = sc.sumBC.data();
  const auto len = static_cast<std::size_t>(leadLen);
  const double leadMean = ph.leadStats->leadingMean[len];
  const double leadSquares = ph.leadStats->leadingSquares[len];

  job.contiguous = ph.other + ph.shift;
  job.lanes = windows;
  for (std::size_t q = 0; q < static_cast<std::size_t>(windows); ++q) {
    sc.overlap[q] = leadLen;
    sc.meanB[q] = leadMean;
  }
  correlateLanes(job, isa);
  for (int q = 0; q < windows; ++q) {
    const auto at = static_cast<std::size_t>(q);
    finish(q, leadLen, leadSquares, sc.sumCC[at], sc.sumBC[at]);
  }

  const int tails = ph.lanes - windows;
  job.contiguous = ph.other + ph.shift + windows;
  job.lanes = tails;
  job.meanC = sc.meanC.data();
  for (int q = 0; q < tails; ++q) {
    const auto at = static_cast<std::size_t>(q);
    const auto start = static_cast<std::size_t>(windows + q + ph.shift);
    const int m = otherLen - static_cast<int>(start);
    sc.overlap[at] = m;
    sc.meanB[at] = ph.leadStats->leadingMean[static_cast<std::size_t>(m)];
    sc.meanC[at] = ph.otherStats->trailingMean[start];
  }
  correlateLanes(job, isa);
  for (int q = 0; q < tails; ++q) {
    const auto at = static_cast<std::size_t>(q);
    const auto start = static_cast<std::size_t>(windows + q + ph.shift);
    const int m = sc.overlap[at];
    finish(windows + q, m, ph.leadStats->leadingSquares[static_cast<std::size_t>(m)],
           ph.otherStats->trailingSquares[start], sc.sumBC[at]);
  }
}

}  // namespace

int placementCount(int len1, int len2) {
  // A series under 50 rings could only be compared over fewer than 50.
  if (len1 < kMinOverlap || len2 < kMinOverlap) return 0;
  return phaseACount(len2) + phaseBCount(len1);
}

Placement placementAt(int k, int len1, int len2, std::int32_t first1, std::int32_t first2) {
  Placement p;
  const int countA = phaseACount(len2);
  const std::int64_t f1 = first1;
  const std::int64_t f2 = first2;
  if (k < countA) {
    p.phaseA = true;
    p.s = countA - k;
    p.overlap = std::min(len1, len2 - p.s + 1);
    p.lastRingFirst = f1 + p.overlap - 1;
    p.lastRingSecond = f2 + p.s + p.overlap - 2;
  } else {
    p.phaseA = false;
    p.s = k - countA + 2;
    p.overlap = std::min(len2, len1 - p.s + 1);
    p.lastRingFirst = f1 + p.s + p.overlap - 2;
    p.lastRingSecond = f2 + p.overlap - 1;
  }
  return p;
}

void fillPlacementsDirect(const PairSeries& first, const PairSeries& second, PlacementTable& table) {
  const auto x1 = usedValues(first);
  const auto x2 = usedValues(second);
  const int len1 = static_cast<int>(x1.size());
  const int len2 = static_cast<int>(x2.size());
  layOut(len1, len2, first.firstYear, second.firstYear, table);
  for (int k = 0; k < table.count; ++k) {
    const Placement p = placementAt(k, len1, len2, 0, 0);
    const auto m = static_cast<std::size_t>(p.overlap);
    const auto s = static_cast<std::size_t>(p.s - 1);
    const float r = p.phaseA ? correlate(x1.subspan(0, m), x2.subspan(s, m)) : correlate(x1.subspan(s, m), x2.subspan(0, m));
    setStatistics(table, k, r, p.overlap);
  }
}

void fillPlacementsFast(const PairSeries& first, const PairSeries& second, const StretchStats& firstStats,
                        const StretchStats& secondStats, PlacementTable& table, Isa isa, KernelScratch& scratch) {
  const auto x1 = usedValues(first);
  const auto x2 = usedValues(second);
  const int len1 = static_cast<int>(x1.size());
  const int len2 = static_cast<int>(x2.size());
  layOut(len1, len2, first.firstYear, second.firstYear, table);
  copyPadded(x1, scratch.first);
  copyPadded(x2, scratch.second);
  const int countA = std::min(phaseACount(len2), table.count);
  const int countB = table.count - countA;
  // Phase A: s = q + 1, the first series leading; table in falling s.
  runPhase({scratch.first.data(), scratch.second.data(), &firstStats, &secondStats, 0, countA, true, countA - 1, -1},
           table, isa, scratch);
  // Phase B: s = q + 2, the second series leading; table in rising s.
  runPhase({scratch.second.data(), scratch.first.data(), &secondStats, &firstStats, 1, countB, false, countA, +1},
           table, isa, scratch);
}

void fillPlacements(const PairSeries& first, const PairSeries& second, PlacementTable& table, MatchRoutine routine,
                    Isa isa, KernelScratch& scratch, PairStats& stats) {
  if (routine == MatchRoutine::Direct) return fillPlacementsDirect(first, second, table);
  computeStretchStats(first.values, isa, scratch, stats.first);
  computeStretchStats(second.values, isa, scratch, stats.second);
  fillPlacementsFast(first, second, stats.first, stats.second, table, isa, scratch);
}

}  // namespace veska::match
