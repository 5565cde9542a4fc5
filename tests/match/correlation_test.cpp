// correlate and the t-statistic: identities, degenerate stretches, and the
// rounding points, worked by hand.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "match/correlation.h"
#include "match/match_fixtures.h"

namespace veska::match {
namespace {

float correlation(const std::vector<float>& x, const std::vector<float>& y) { return correlate(x, y); }

TEST(Correg, IdentitiesOfTheCorrelation) {
  std::mt19937 rng(1);
  const std::vector<float> x = test::randomSeries(rng, 80);
  const std::vector<float> y = test::randomSeries(rng, 80);
  std::vector<float> negated = x;
  for (float& v : negated) v = -v;
  EXPECT_EQ(correlation(x, x), 1.0f);
  EXPECT_EQ(correlation(x, negated), -1.0f);
  EXPECT_TRUE(test::sameBits(correlation(x, y), correlation(y, x)));
  const float r = correlation(x, y);
  EXPECT_GT(r, -1.0f);
  EXPECT_LT(r, 1.0f);
}

TEST(Correg, StretchWithoutVarianceGivesNaN) {
  EXPECT_TRUE(std::isnan(correlation({2, 2, 2, 2}, {1, 2, 3, 4})));
  EXPECT_TRUE(std::isnan(correlation({1, 2, 3, 4}, {0, 0, 0, 0})));
  EXPECT_TRUE(std::isnan(correlation({}, {})));
}

// x = 1, 1, 0: Σx = 2 and the mean is 2/3 rounded to single,
// 0.666666686534881591796875, not the double 2/3. The deviations 1 - mean and
// -mean are exact in double; their squares are summed in double. Had the mean
// been kept in double the sum would differ in its last bits.
TEST(Correg, MeanIsRoundedToSingleBeforeTheDeviations) {
  const double mean = static_cast<double>(2.0f / 3.0f);
  const double d1 = 1.0 - mean;
  const double d3 = 0.0 - mean;
  const double want = ((0.0 + d1 * d1) + d1 * d1) + d3 * d3;
  const DeviationSums s = deviationSums(std::vector<float>{1, 1, 0}, std::vector<float>{0, 1, 1});
  EXPECT_EQ(s.xx, want);
  const double exactMean = 2.0 / 3.0;
  const double e1 = 1.0 - exactMean;
  EXPECT_NE(s.xx, ((0.0 + e1 * e1) + e1 * e1) + exactMean * exactMean) << "the case does not tell the two apart";
}

// The sums are rounded to single before r is formed: Sxx = 10.1, Syy = 20.3,
// Sxy = 5.7 give r = 0.39807612 from the rounded sums, 0.39807615 from the
// double ones.
TEST(Correg, SumsAreRoundedToSingleBeforeR) {
  const double root = std::sqrt(static_cast<double>(10.1f) * static_cast<double>(20.3f));
  EXPECT_EQ(correlationOfSums(10.1, 20.3, 5.7), static_cast<float>(static_cast<double>(5.7f) / root));
  EXPECT_NE(correlationOfSums(10.1, 20.3, 5.7), static_cast<float>(5.7 / std::sqrt(10.1 * 20.3)))
      << "the case does not tell the two apart";
}

TEST(TStatistic, ValuesAndLimits) {
  // r = 0.5, m = 50: (1 - 0.25) / 48 = 2^-6, its root 0.125, t = 4 exactly.
  EXPECT_EQ(tStatistic(0.5f, 50), 4.0f);
  EXPECT_EQ(tStatistic(0.0f, 50), 0.0f);
  EXPECT_EQ(tStatistic(-0.5f, 50), -4.0f);
  EXPECT_EQ(tStatistic(1.0f, 50), std::numeric_limits<float>::infinity());
  EXPECT_EQ(tStatistic(-1.0f, 50), -std::numeric_limits<float>::infinity());
  // Two rings: division by zero inside the root, t = r / inf.
  EXPECT_EQ(tStatistic(0.5f, 2), 0.0f);
  EXPECT_TRUE(std::isnan(tStatistic(std::numeric_limits<float>::quiet_NaN(), 60)));
}

}  // namespace
}  // namespace veska::match
