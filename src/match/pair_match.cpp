#include "match/pair_match.h"

#include <algorithm>
#include <cmath>

namespace veska::match {
namespace {

// The stretch of a series that a slot compares: `overlap` values up to the
// slot's last ring, within the values the search used.
std::span<const float> comparedStretch(const PairSeries& series, std::int64_t lastRing, int overlap) {
  const std::span<const float> used =
      series.values.first(std::min<std::size_t>(series.values.size(), input::kMaxLength));
  const std::int64_t start = lastRing - series.firstYear - overlap + 1;
  if (start < 0 || overlap < 0 || start + overlap > static_cast<std::int64_t>(used.size())) return {};
  return used.subspan(static_cast<std::size_t>(start), static_cast<std::size_t>(overlap));
}

}  // namespace

bool slotFilled(const BestThree& best, std::size_t j) {
  const Slot& slot = best.slots.at(j);
  if (slot.overlap <= 0 || std::isnan(slot.tStatistic)) return false;
  // The two last rings name a placement: no two placements share them.
  for (std::size_t i = 0; i < j; ++i)
    if (best.slots[i].overlap > 0 && best.slots[i].lastRingFirst == slot.lastRingFirst &&
        best.slots[i].lastRingSecond == slot.lastRingSecond)
      return false;
  return true;
}

void assessTrust(const PairSeries& first, const PairSeries& second, int placements, BestThree& best) {
  PairTrust& trust = best.trust;
  trust = PairTrust{};
  trust.placements = placements;
  for (std::size_t j = 0; j < 3; ++j) {
    const Slot& slot = best.slots[j];
    if (!slotFilled(best, j)) continue;
    const double inflation = varianceInflation(comparedStretch(first, slot.lastRingFirst, slot.overlap),
                                               comparedStretch(second, slot.lastRingSecond, slot.overlap));
    trust.pChance[j] = chanceOfReaching(slot.tStatistic, slot.overlap, inflation, placements);
  }
  if (!slotFilled(best, 0)) return;
  if (slotFilled(best, 1)) {
    const float t1 = best.slots[0].tStatistic;
    const float t2 = best.slots[1].tStatistic;
    trust.margin = t1 == t2 ? 0.0f : t1 - t2;  // two infinite t-statistics differ by 0
  }
  trust.verdict = verdictOf(trust.pChance[0], trust.margin);
}

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
  BestThree best = chooseBestThree(work.table);
  assessTrust(first, second, work.table.count, best);
  return best;
}

BestThree searchPairFast(const PairSeries& first, const PairSeries& second, const StretchStats& firstStats,
                         const StretchStats& secondStats, MatchWork& work, Isa isa, bool withTrust) {
  fillPlacementsFast(first, second, firstStats, secondStats, work.table, isa, work.scratch);
  BestThree best = chooseBestThree(work.table);
  if (withTrust) assessTrust(first, second, work.table.count, best);
  return best;
}

}  // namespace veska::match
