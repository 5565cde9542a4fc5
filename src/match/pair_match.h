// The pair match: slides the first series of a pair over the second and
// keeps the three best placements by t-statistic.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "match/pair_trust.h"
#include "match/placements.h"

namespace veska::match {

inline constexpr float kEmptySlotT = -9.99f;
inline constexpr float kStarThreshold = 3.5f;

// A best-match slot. A slot no placement fills (no placement at all, or all
// below -9.99) keeps these values, so nothing of an earlier pair ever shows.
struct Slot {
  float tStatistic = kEmptySlotT;
  float correlation = 0.0f;
  std::int64_t lastRingFirst = 0;
  std::int64_t lastRingSecond = 0;
  int overlap = 0;
};

struct BestThree {
  std::array<Slot, 3> slots{};
  char star = ' ';  // '*' when slot 1's t-statistic is 3.5 or more
  PairTrust trust;  // left as it is by chooseBestThree; see assessTrust
};

// Whether slot j (0, 1, 2) shows a placement of its own: not the empty slot,
// no NaN t-statistic, and not a placement an earlier slot took (with fewer
// placements than slots, the slots left over take the last one taken again,
// at t = -9.99). Only such slots count for the trust and the pair table.
bool slotFilled(const BestThree& best, std::size_t j);

// A series of a pair: the values compared, the year of its first value, its
// identifier (8 characters) and its number in its own table.
struct MatchSeries {
  PairSeries series;
  std::u32string id;
  int number = 0;
};

// The storage one thread needs for pair matches: the placement tables and the
// fast routine's scratch. Large: make it once, with makeMatchWork.
struct MatchWork {
  PlacementTable table;
  KernelScratch scratch;
  PairStats stats;  // for a pair searched on its own
};
std::unique_ptr<MatchWork> makeMatchWork();

// Fills the slots from the table, in slot order. For each slot: start from
// the empty slot; scan the placements in table order, taking each one whose
// t-statistic is at least the slot's current one (so the last of equal best
// ones wins, and a NaN is never taken); then set the taken placement's
// t-statistic to -9.99 in the table. The star follows slot 1.
BestThree chooseBestThree(PlacementTable& table);

// The pair's trust from its slots: `placements` the number tried, p_chance
// of every filled slot over its own overlap, the margin and the verdict.
void assessTrust(const PairSeries& first, const PairSeries& second, int placements, BestThree& best);

// The placements of a pair and their best three with their trust, computed
// without any I/O.
BestThree searchPair(const PairSeries& first, const PairSeries& second, MatchWork& work, MatchRoutine routine,
                     Isa isa);
// The same with the fast routine and both series' stretch statistics formed
// beforehand (as the match phase shares them among all pairs); without the
// trust when `withTrust` is false (for timing what it costs).
BestThree searchPairFast(const PairSeries& first, const PairSeries& second, const StretchStats& firstStats,
                         const StretchStats& secondStats, MatchWork& work, Isa isa, bool withTrust = true);

}  // namespace veska::match
