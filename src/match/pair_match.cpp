#include "match/pair_match.h"

namespace veska::match {

std::unique_ptr<MatchWork> makeMatchWork() { return std::make_unique<MatchWork>(); }

BestThree chooseBestThree(PlacementTable& table) {
  BestThree best;
  for (Slot& slot : best.slots) {
    slot = Slot{};
    int taken = -1;
    for (int k = 0; k < table.count; ++k) {
      const auto at = static_cast<std::size_t>(k);
      // A NaN (an overlap without variance) compares false: no candidate.
      if (!(table.tStatistic[at] >= slot.tStatistic)) continue;
      slot.tStatistic = table.tStatistic[at];
      slot.correlation = table.correlation[at];
      slot.lastRingFirst = table.lastRingFirst[at];
      slot.lastRingSecond = table.lastRingSecond[at];
      slot.overlap = table.overlap[at];
      taken = k;
    }
    if (taken >= 0) table.tStatistic[static_cast<std::size_t>(taken)] = kEmptySlotT;
  }
  best.star = best.slots[0].tStatistic >= kStarThreshold ? '*' : ' ';
  return best;
}

BestThree searchPair(const PairSeries& first, const PairSeries& second, MatchWork& work, MatchRoutine routine,
                     Isa isa) {
  fillPlacements(first, second, work.table, routine, isa, work.scratch, work.stats);
  return chooseBestThree(work.table);
}

BestThree searchPairFast(const PairSeries& first, const PairSeries& second, const StretchStats& firstStats,
                         const StretchStats& secondStats, MatchWork& work, Isa isa) {
  fillPlacementsFast(first, second, firstStats, secondStats, work.table, isa, work.scratch);
  return chooseBestThree(work.table);
}

}  // namespace veska::match
