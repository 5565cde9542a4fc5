// The trust of a pair: the variance inflation of an overlap, p_chance against
// the plain correction for the placements tried, the margin and the verdict.
#include "match/pair_trust.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "match/match_fixtures.h"
#include "match/pair_match.h"
#include "stats/t_distribution.h"

namespace veska::match {
namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();

TEST(VarianceInflation, OneForEvenValuesLargeForOneSharedExtremeRing) {
  // Balanced signs of equal size: sum(a^2 b^2) = n = sum(a^2) = sum(b^2).
  std::vector<float> a, b;
  for (int i = 0; i < 100; ++i) {
    a.push_back(i % 2 == 0 ? 1.0f : -1.0f);
    b.push_back(i % 4 < 2 ? 1.0f : -1.0f);
  }
  EXPECT_DOUBLE_EQ(varianceInflation(a, b), 1.0);
  // One ring far out in both: it makes nearly all of both variances, and
  // sum(a^2 b^2) is nearly its square, so f comes close to n.
  a[10] = b[10] = 1000.0f;
  EXPECT_GT(varianceInflation(a, b), 90.0);
  // Far out in one series only: the other's ring there is ordinary.
  b[10] = 1.0f;
  EXPECT_NEAR(varianceInflation(a, b), 1.0, 0.05);
}

TEST(VarianceInflation, OneWhenItCannotBeFormed) {
  const std::vector<float> flat(60, 2.0f);
  std::mt19937 rng(5);
  const std::vector<float> noise = test::randomSeries(rng, 60);
  EXPECT_EQ(varianceInflation(flat, noise), 1.0);
  EXPECT_EQ(varianceInflation(std::vector<float>{1.0f, 2.0f}, std::vector<float>{2.0f, 1.0f}), 1.0);
  std::vector<float> infinite = noise;
  infinite[3] = kInf;
  EXPECT_EQ(varianceInflation(infinite, noise), 1.0);
}

TEST(ChanceOfReaching, PlainCorrectionUnlessTheOverlapIsInflated) {
  for (const float t : {3.5f, 5.0f}) {
    SCOPED_TRACE("t = " + std::to_string(t));
    const double plain = stats::chanceOfReachingIn(t, 98.0, 100.0);
    // An inflation of 1 or below never sharpens the test.
    EXPECT_DOUBLE_EQ(chanceOfReaching(t, 100, 1.0, 100), plain);
    EXPECT_DOUBLE_EQ(chanceOfReaching(t, 100, 0.5, 100), plain);
    EXPECT_GT(chanceOfReaching(t, 100, 20.0, 100), plain);
    EXPECT_LT(chanceOfReaching(t, 100, 20.0, 100), chanceOfReaching(t, 100, 40.0, 100));
  }
  EXPECT_EQ(chanceOfReaching(kInf, 100, 3.0, 1000), 0.0);
  EXPECT_EQ(chanceOfReaching(-kInf, 100, 3.0, 1000), 1.0);
  EXPECT_EQ(chanceOfReaching(std::nanf(""), 100, 3.0, 1000), 1.0);
}

TEST(Verdict, FromChanceAndMargin) {
  struct Row {
    double p;
    std::optional<float> margin;
    Verdict verdict;
  };
  const std::vector<Row> rows = {
      {0.001, 2.0f, Verdict::Strong},    {0.001, std::nullopt, Verdict::Strong}, {0.001, 1.5f, Verdict::Strong},
      {0.001, 1.4f, Verdict::Likely},    {0.01, 3.0f, Verdict::Likely},          {0.049, 0.1f, Verdict::Likely},
      {0.05, 9.0f, Verdict::Possible},   {0.19, 0.0f, Verdict::Possible},        {0.2, 5.0f, Verdict::Chance},
      {1.0, std::nullopt, Verdict::Chance},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE("p " + std::to_string(row.p) + ", margin " + (row.margin ? std::to_string(*row.margin) : "none"));
    EXPECT_EQ(verdictOf(row.p, row.margin), row.verdict);
  }
  EXPECT_EQ(verdictWord(Verdict::Strong), "strong");
  EXPECT_EQ(verdictWord(Verdict::None), "none");
}

// A pair searched whole: its trust follows its slots.
BestThree searched(const std::vector<float>& first, const std::vector<float>& second) {
  auto work = makeMatchWork();
  return searchPair({first, 1}, {second, 1}, *work, MatchRoutine::Fast, bestIsa());
}

TEST(AssessTrust, PlacementsMarginAndVerdictOfAPair) {
  std::mt19937 rng(11);
  const std::vector<float> tree = test::randomSeries(rng, 300);
  // A stretch of the tree with noise of its own: one clear date.
  std::vector<float> piece(tree.begin() + 100, tree.begin() + 220);
  std::normal_distribution<float> noise(0.0f, 0.7f);
  for (float& v : piece) v += noise(rng);
  const BestThree dated = searched(tree, piece);
  EXPECT_EQ(dated.trust.placements, placementCount(300, 120));
  ASSERT_TRUE(dated.trust.margin);
  EXPECT_EQ(*dated.trust.margin, dated.slots[0].tStatistic - dated.slots[1].tStatistic);
  EXPECT_LT(dated.trust.pChance[0], 1e-6);
  EXPECT_EQ(dated.trust.verdict, Verdict::Strong);
  for (std::size_t j = 1; j < 3; ++j) EXPECT_GT(dated.trust.pChance[j], dated.trust.pChance[0]);

  // Unrelated noise: no verdict of a date.
  const BestThree unrelated = searched(tree, test::randomSeries(rng, 120));
  EXPECT_GT(unrelated.trust.pChance[0], 0.01);
  EXPECT_NE(unrelated.trust.verdict, Verdict::Strong);
}

TEST(AssessTrust, OnePlacementHasNoMarginAndNoPlacementNoVerdict) {
  std::mt19937 rng(3);
  const std::vector<float> a = test::randomSeries(rng, 50);
  const std::vector<float> b = test::randomSeries(rng, 50);
  const BestThree one = searched(a, b);
  EXPECT_EQ(one.trust.placements, 1);
  EXPECT_FALSE(one.trust.margin);
  EXPECT_TRUE(slotFilled(one, 0));
  EXPECT_FALSE(slotFilled(one, 1));
  EXPECT_FALSE(slotFilled(one, 2));
  EXPECT_EQ(one.trust.pChance[1], 1.0);
  EXPECT_NE(one.trust.verdict, Verdict::None);

  const BestThree none =
      searched(std::vector<float>(a.begin(), a.begin() + 49), std::vector<float>(b.begin(), b.begin() + 49));
  EXPECT_EQ(none.trust.placements, 0);
  EXPECT_EQ(none.trust.verdict, Verdict::None);
  EXPECT_FALSE(none.trust.margin);
}

TEST(AssessTrust, TwoInfiniteTStatisticsDifferByZero) {
  // The first series holds the second twice: two placements of identical
  // stretches, both t = +Inf.
  std::mt19937 rng(8);
  const std::vector<float> piece = test::randomSeries(rng, 60);
  std::vector<float> twice = piece;
  twice.insert(twice.end(), piece.begin(), piece.end());
  const BestThree best = searched(twice, piece);
  ASSERT_EQ(best.slots[0].tStatistic, kInf);
  ASSERT_EQ(best.slots[1].tStatistic, kInf);
  ASSERT_TRUE(best.trust.margin);
  EXPECT_EQ(*best.trust.margin, 0.0f);
  EXPECT_EQ(best.trust.pChance[0], 0.0);
}

}  // namespace
}  // namespace veska::match
