#include "match/pair_match.h"

#include "match/match_report.h"

namespace veska::match {

std::unique_ptr<MatchWork> makeMatchWork() { return std::make_unique<MatchWork>(); }

void chooseBestThree(PlacementTable& table, BestThree& best) {
  for (Slot& slot : best.slots) {
    slot = Slot{};
    int taken = -1;
    for (int k = 0; k < table.count; ++k) {
      const auto at = static_cast<std::size_t>(k);
      if (slot.tStatistic > table.tStatistic[at]) continue;
      slot.tStatistic = table.tStatistic[at];
      slot.correlation = table.correlation[at];
      slot.lastRingFirst = table.lastRingFirst[at];
      slot.lastRingSecond = table.lastRingSecond[at];
      slot.overlap = table.overlap[at];
      taken = k;
    }
    if (taken >= 0) table.tStatistic[static_cast<std::size_t>(taken)] = kEmptySlotT;
  }
  // A NaN compares false, so it gives a blank.
  best.star = best.slots[0].tStatistic >= kStarThreshold ? '*' : ' ';
}

void searchPair(const PairSeries& first, const PairSeries& second, MatchWork& work, MatchRoutine routine, Isa isa,
                BestThree& best) {
  fillPlacements(first, second, work.table, routine, isa, work.scratch, work.stats);
  chooseBestThree(work.table, best);
}

void searchPairFast(const PairSeries& first, const PairSeries& second, const StretchStats& firstStats,
                    const StretchStats& secondStats, MatchWork& work, Isa isa, BestThree& best) {
  fillPlacementsFast(first, second, firstStats, secondStats, work.table, isa, work.scratch);
  chooseBestThree(work.table, best);
}

void writePairLines(records::Runtime& rt, int reportUnit, const MatchSeries& first, const MatchSeries& second,
                    const BestThree& best) {
  rt.writeConsole(progressLine(first, second, best));
  rt.writeUnit(reportUnit, pairLine(first, second, best));
}

void matchPair(records::Runtime& rt, const MatchSeries& first, const MatchSeries& second, int reportUnit, MatchWork& work,
           BestThree& best) {
  searchPair(first.series, second.series, work, MatchRoutine::Direct, Isa::Sse2, best);
  writePairLines(rt, reportUnit, first, second, best);
}

}  // namespace veska::match
