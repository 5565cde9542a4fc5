// The best three placements and the star, on tables made by hand, and on a
// pair with an identical stretch.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "match/pair_match.h"
#include "match/match_fixtures.h"

namespace veska::match {
namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

// A table whose placement k (from 0) has t[k], r = k / 100, overlap 50 + k
// and last rings 1000 + k, 2000 + k, so a slot shows which placement it took.
std::unique_ptr<MatchWork> tableWith(const std::vector<float>& t) {
  auto work = makeMatchWork();
  PlacementTable& table = work->table;
  table.count = static_cast<int>(t.size());
  for (std::size_t k = 0; k < t.size(); ++k) {
    table.tStatistic[k] = t[k];
    table.correlation[k] = static_cast<float>(k) / 100.0f;
    table.overlap[k] = 50 + static_cast<int>(k);
    table.lastRingFirst[k] = 1000 + static_cast<int>(k);
    table.lastRingSecond[k] = 2000 + static_cast<int>(k);
  }
  return work;
}

// Which placement (from 0) each slot holds, and the t it shows.
struct SlotWant {
  int placement;  // -1: the empty slot, which shows zeros
  float t;
};

void expectSlots(const BestThree& best, const std::vector<SlotWant>& want) {
  for (std::size_t j = 0; j < 3; ++j) {
    SCOPED_TRACE("slot " + std::to_string(j + 1));
    const Slot& slot = best.slots[j];
    if (std::isnan(want[j].t)) {
      EXPECT_TRUE(std::isnan(slot.tStatistic));
    } else {
      EXPECT_EQ(slot.tStatistic, want[j].t);
    }
    const int k = want[j].placement;
    EXPECT_EQ(slot.overlap, k < 0 ? 0 : 50 + k);
    EXPECT_EQ(slot.lastRingFirst, k < 0 ? 0 : 1000 + k);
    EXPECT_EQ(slot.lastRingSecond, k < 0 ? 0 : 2000 + k);
    EXPECT_EQ(slot.correlation, k < 0 ? 0.0f : static_cast<float>(k) / 100.0f);
  }
}

struct SlotRow {
  std::string name;
  std::vector<float> t;
  std::vector<SlotWant> slots;
  char star;
};

TEST(BestThree, SlotRule) {
  const SlotRow rows[] = {
      {"ordinary", {1.0f, 6.0f, 2.0f, 4.0f}, {{1, 6.0f}, {3, 4.0f}, {2, 2.0f}}, '*'},
      // The later of equal best placements wins; the other takes slot 2.
      {"tie", {1.0f, 5.0f, 2.0f, 5.0f, 3.0f}, {{3, 5.0f}, {1, 5.0f}, {4, 3.0f}}, '*'},
      // One placement: slots 2 and 3 repeat it with t -9.99.
      {"one placement", {2.0f}, {{0, 2.0f}, {0, kEmptySlotT}, {0, kEmptySlotT}}, ' '},
      // Two: slot 3 repeats the later one in table order.
      {"two placements", {3.0f, 1.0f}, {{0, 3.0f}, {1, 1.0f}, {1, kEmptySlotT}}, ' '},
      // Below -9.99 a placement is never taken: the slots stay empty.
      {"all below -9.99", {-12.0f, -20.0f}, {{-1, kEmptySlotT}, {-1, kEmptySlotT}, {-1, kEmptySlotT}}, ' '},
      {"one below -9.99", {-15.0f, 4.0f}, {{1, 4.0f}, {1, kEmptySlotT}, {1, kEmptySlotT}}, '*'},
      // Exactly -9.99 is taken.
      {"exactly -9.99", {kEmptySlotT, -11.0f}, {{0, kEmptySlotT}, {0, kEmptySlotT}, {0, kEmptySlotT}}, ' '},
      // A NaN (an overlap without variance) is no candidate: it neither
      // takes a slot nor stops a later placement from taking one.
      {"NaN inside", {1.0f, kNaN, 2.0f}, {{2, 2.0f}, {0, 1.0f}, {2, kEmptySlotT}}, ' '},
      {"NaN last", {1.0f, 4.0f, kNaN}, {{1, 4.0f}, {0, 1.0f}, {1, kEmptySlotT}}, '*'},
      {"NaN first", {kNaN, 3.0f}, {{1, 3.0f}, {1, kEmptySlotT}, {1, kEmptySlotT}}, ' '},
      {"NaN only", {kNaN, kNaN}, {{-1, kEmptySlotT}, {-1, kEmptySlotT}, {-1, kEmptySlotT}}, ' '},
      // An identical stretch (+Inf) stays the best candidate.
      {"Inf before NaN", {1.0f, kInf, kNaN}, {{1, kInf}, {0, 1.0f}, {1, kEmptySlotT}}, '*'},
      {"no placement", {}, {{-1, kEmptySlotT}, {-1, kEmptySlotT}, {-1, kEmptySlotT}}, ' '},
  };
  for (const SlotRow& row : rows) {
    SCOPED_TRACE(row.name);
    auto work = tableWith(row.t);
    const BestThree best = chooseBestThree(work->table);
    expectSlots(best, row.slots);
    EXPECT_EQ(best.star, row.star);
  }
}

// Nothing of an earlier pair shows in the slots of a pair without
// placements (50 and 49 rings), searched with the same tables.
TEST(BestThree, EmptyPairKeepsNothingOfTheLastOne) {
  std::mt19937 rng(4);
  const std::vector<float> first = test::randomSeries(rng, 120);
  std::vector<float> second = test::randomSeries(rng, 300);
  std::copy(first.begin(), first.end(), second.begin() + 100);
  auto work = makeMatchWork();
  for (MatchRoutine routine : {MatchRoutine::Direct, MatchRoutine::Fast}) {
    ASSERT_EQ(searchPair({first, 1}, {second, 1}, *work, routine, bestIsa()).star, '*');
    const BestThree best = searchPair({std::span(first).first(50), 1}, {std::span(second).first(49), 1}, *work,
                                      routine, bestIsa());
    expectSlots(best, {{-1, kEmptySlotT}, {-1, kEmptySlotT}, {-1, kEmptySlotT}});
    EXPECT_EQ(best.star, ' ');
  }
}

TEST(BestThree, StarFromThreePointFiveOn) {
  const struct {
    float t;
    char star;
  } rows[] = {{3.5f, '*'},
              {std::nextafter(3.5f, 0.0f), ' '},
              {std::numeric_limits<float>::infinity(), '*'},
              {-std::numeric_limits<float>::infinity(), ' '},
              {kNaN, ' '}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.t);
    auto work = tableWith({row.t});
    EXPECT_EQ(chooseBestThree(work->table).star, row.star);
  }
}

// The second series holds a copy of 120 values of the first: at that
// placement r = 1 and t is infinite, so it fills slot 1 and sets the star.
TEST(BestThree, IdenticalStretchGivesInfiniteTAndTheStar) {
  std::mt19937 rng(9);
  const std::vector<float> first = test::randomSeries(rng, 120);
  std::vector<float> second = test::randomSeries(rng, 300);
  std::copy(first.begin(), first.end(), second.begin() + 100);  // first value on value 101
  auto work = makeMatchWork();
  for (MatchRoutine routine : {MatchRoutine::Direct, MatchRoutine::Fast}) {
    const BestThree best = searchPair({first, 1601}, {second, 1501}, *work, routine, bestIsa());
    const Slot& slot = best.slots[0];
    EXPECT_EQ(slot.tStatistic, std::numeric_limits<float>::infinity());
    EXPECT_EQ(slot.correlation, 1.0f);
    EXPECT_EQ(slot.overlap, 120);
    EXPECT_EQ(slot.lastRingFirst, 1720);
    EXPECT_EQ(slot.lastRingSecond, 1720);
    EXPECT_EQ(best.star, '*');
    EXPECT_LT(best.slots[1].tStatistic, 10.0f);
  }
}

}  // namespace
}  // namespace veska::match
