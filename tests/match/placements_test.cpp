// Placement geometry: how many, in which order, with which overlaps and last
// rings.
#include <gtest/gtest.h>

#include "match/pair_match.h"
#include "match/placements.h"

namespace veska::match {
namespace {

struct GeometryRow {
  int len1, len2;
  int count;
  Placement firstPlacement;  // table entry 1
  Placement lastPlacement;   // table entry K
};

// Years: the first series starts in 1001, the second in 2001.
TEST(Placements, CountsOverlapsAndLastRings) {
  const GeometryRow rows[] = {
      // Both 50: one placement, both starting together.
      {50, 50, 1, {true, 1, 50, 1050, 2050}, {true, 1, 50, 1050, 2050}},
      // 50 on 200: the first series lies wholly inside the second, from its
      // last 50 rings (s = 151) down to both starting together.
      {50, 200, 151, {true, 151, 50, 1050, 2200}, {true, 1, 50, 1050, 2050}},
      // 200 on 50: both starting together, then phase B, s = 2 to 151.
      {200, 50, 151, {true, 1, 50, 1050, 2050}, {false, 151, 50, 1200, 2050}},
      // 100 and 100: 51 + 50 placements.
      {100, 100, 101, {true, 51, 50, 1050, 2100}, {false, 51, 50, 1100, 2050}},
      // A series under 50 rings has no placement at all, however long the
      // other: an overlap of its whole length would be under 50 rings.
      {50, 49, 0, {}, {}},
      {49, 50, 0, {}, {}},
      {30, 200, 0, {}, {}},
      {200, 30, 0, {}, {}},
      {3, 5000, 0, {}, {}},
  };
  for (const GeometryRow& row : rows) {
    SCOPED_TRACE(std::to_string(row.len1) + " on " + std::to_string(row.len2));
    ASSERT_EQ(placementCount(row.len1, row.len2), row.count);
    if (row.count == 0) continue;
    for (const auto& [k, want] : {std::pair{0, row.firstPlacement}, std::pair{row.count - 1, row.lastPlacement}}) {
      const Placement p = placementAt(k, row.len1, row.len2, 1001, 2001);
      EXPECT_EQ(p.phaseA, want.phaseA);
      EXPECT_EQ(p.s, want.s);
      EXPECT_EQ(p.overlap, want.overlap);
      EXPECT_EQ(p.lastRingFirst, want.lastRingFirst);
      EXPECT_EQ(p.lastRingSecond, want.lastRingSecond);
    }
  }
}

TEST(Placements, OverlapsOfTwoSeriesOfAHundredRings) {
  std::vector<int> overlaps;
  for (int k = 0; k < placementCount(100, 100); ++k) overlaps.push_back(placementAt(k, 100, 100, 0, 0).overlap);
  std::vector<int> want;
  for (int m = 50; m <= 100; ++m) want.push_back(m);  // phase A
  for (int m = 99; m >= 50; --m) want.push_back(m);   // phase B
  EXPECT_EQ(overlaps, want);
}

// The table holds the placements of the longest pair, and the table is
// filled in its order: entry k is placementAt(k).
TEST(Placements, TableHoldsTheLongestPairInTableOrder) {
  EXPECT_EQ(placementCount(input::kMaxLength, input::kMaxLength), kPlacementRoom);
  std::vector<float> x1(input::kMaxLength, 0.0f);
  std::vector<float> x2(input::kMaxLength, 0.0f);
  for (std::size_t i = 0; i < x1.size(); ++i) {
    x1[i] = static_cast<float>((i * 7919) % 101);
    x2[i] = static_cast<float>((i * 104729) % 97);
  }
  auto work = makeMatchWork();
  fillPlacementsDirect({x1, -3000}, {x2, 1}, work->table);
  ASSERT_EQ(work->table.count, kPlacementRoom);
  for (int k : {0, 4950, 4951, kPlacementRoom - 1}) {
    const Placement p = placementAt(k, input::kMaxLength, input::kMaxLength, -3000, 1);
    const auto at = static_cast<std::size_t>(k);
    EXPECT_EQ(work->table.overlap[at], p.overlap);
    EXPECT_EQ(work->table.lastRingFirst[at], p.lastRingFirst);
    EXPECT_EQ(work->table.lastRingSecond[at], p.lastRingSecond);
  }
}

// Values beyond the room of a series table never take part, so no pair can
// have more placements than the table holds.
TEST(Placements, SeriesLongerThanTheRoomAreCut) {
  std::vector<float> longer(input::kMaxLength + 300, 1.0f);
  for (std::size_t i = 0; i < longer.size(); ++i) longer[i] = static_cast<float>(i % 13);
  auto work = makeMatchWork();
  for (MatchRoutine routine : {MatchRoutine::Direct, MatchRoutine::Fast}) {
    fillPlacements({longer, 0}, {longer, 0}, work->table, routine, bestIsa(), work->scratch, work->stats);
    EXPECT_EQ(work->table.count, kPlacementRoom);
  }
}

}  // namespace
}  // namespace veska::match
