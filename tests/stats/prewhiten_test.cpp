#include "stats/prewhiten.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "stats/ar_fit.h"
#include "stats/simulated.h"

namespace veska::stats {
namespace {

const float kHalfUlpOfOne = std::ldexp(1.0f, -24);

TEST(Prewhiten, WorkedExampleOrderOne) {
  // m = 2 gives -1, 0, 1; w = (b, -1, 0, 1) with b = 0.5 * -1; e1 = -1 - 0.5 b.
  std::vector<float> x = {1, 2, 3};
  std::vector<float> w(4, 99.0f);
  const float phi[] = {0.5f};
  prewhiten(x, w, 1, phi);
  EXPECT_EQ(x, (std::vector<float>{-0.75f, 0.5f, 1.0f}));
  EXPECT_EQ(w, (std::vector<float>{-0.5f, -1.0f, 0.0f, 1.0f}));
}

TEST(Prewhiten, GivesOneResidualPerYearFromBackcastsForTheFirstYears) {
  // Order 2 on 4, 8, 0, -12 (mean 0): backcasts w2 = 0.5*4 + 0.25*8 = 4 and
  // w1 = 0.5*4 + 0.25*4 = 3; e1 = 4 - 0.5*4 - 0.25*3, e2 = 8 - 0.5*4 - 0.25*4,
  // e3 = 0 - 0.5*8 - 0.25*4, e4 = -12 - 0 - 0.25*8.
  std::vector<float> x = {4, 8, 0, -12};
  std::vector<float> w(6);
  const float phi[] = {0.5f, 0.25f};
  prewhiten(x, w, 2, phi);
  EXPECT_EQ(x, (std::vector<float>{1.25f, 5.0f, -5.0f, -14.0f}));
}

TEST(Prewhiten, RemovesTheResidueOfAnEarlierCentring) {
  std::vector<float> x = {0.5f, 1.5f, 2.5f, 3.5f};
  std::vector<float> w(5);
  const float phi[] = {0.0f};
  prewhiten(x, w, 1, phi);
  EXPECT_EQ(x, (std::vector<float>{-1.5f, -0.5f, 0.5f, 1.5f}));
}

TEST(Prewhiten, RoundsEachResidualOnceFromADoubleSum) {
  // e3 = 1 - (-h) - (-h) with h half an ulp of 1: 1 + 2h in double; a sum
  // rounded term by term would stop at 1 (ties to even). The mean is exactly 0.
  const float h = kHalfUlpOfOne;
  std::vector<float> x = {-h, -h, 1.0f, -1.0f + 2 * h};
  std::vector<float> w(6);
  const float phi[] = {1.0f, 1.0f};
  prewhiten(x, w, 2, phi);
  EXPECT_EQ(x[2], 1.0f + 2 * h);
}

TEST(Prewhiten, GrowsAWorkTableThatIsTooShort) {
  std::vector<float> x = {1, 2, 3};
  std::vector<float> w;
  const float phi[] = {0.5f};
  prewhiten(x, w, 1, phi);
  EXPECT_EQ(x, (std::vector<float>{-0.75f, 0.5f, 1.0f}));
}

TEST(Prewhiten, ALongSeriesOfTheHighestOrderFitsTheRunsBuffer) {
  std::vector<float> x = test::simulateArma({}, 0.9, 5000, 8u);
  ArWork work(5000);
  const ArModel m = fitArModel(x, kOrdersWeighed, work);
  ASSERT_EQ(m.order, 10);
  std::vector<float> w(5010);
  prewhiten(x, w, m.order, m.coefficients);
  EXPECT_EQ(w.size(), 5010u);
  // The residuals of a fitted model are far less variable than the series.
  double residual = 0.0;
  for (const float e : x) residual += static_cast<double>(e) * e;
  EXPECT_LT(residual / 5000.0, 1.81 * 0.7);
}

TEST(Backcast, MakesTheLatestBackcastFirst) {
  // p = 2: w2 from w3 and w4 first, then w1 from w2 and w3.
  std::vector<float> w = {4, 8, 0, 0};
  const float phi[] = {0.5f, 0.25f};
  backcast(w, 2, 2, phi, 2);
  EXPECT_EQ(w, (std::vector<float>{3, 4, 4, 8}));
}

TEST(Backcast, RoundsAfterEveryTerm) {
  // 1 + h + h with h half an ulp of 1: each partial sum rounds back to 1.
  const float h = kHalfUlpOfOne;
  std::vector<float> w = {1.0f, h, h, 0.0f};
  const float phi[] = {1.0f, 1.0f, 1.0f};
  backcast(w, 3, 3, phi, 1);
  EXPECT_EQ(w, (std::vector<float>{1.0f, 1.0f, h, h}));
}

TEST(Backcast, LeavesTheTableAloneWhenItCannot) {
  const float phi[] = {0.5f, 0.5f};
  struct Row {
    const char* why;
    int n, p, s;
  };
  const Row rows[] = {
      {"order 0", 3, 0, 1},
      {"no room for the shift", 3, 1, 2},
      {"fewer coefficients than the order", 2, 3, 1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.why);
    std::vector<float> w = {1, 2, 3, 4};
    backcast(w, row.n, row.p, phi, row.s);
    EXPECT_EQ(w, (std::vector<float>{1, 2, 3, 4}));
  }
}

TEST(Backcast, ASeriesShorterThanItsOrderUsesTheValuesThereAre) {
  // n = 1, p = 3: w2 = 0.5*w3 (w4, w5 do not exist), w1 = 0.5*w2 + 0.5*w3.
  std::vector<float> w = {4, 0, 0};
  const float phi[] = {0.5f, 0.5f, 0.5f};
  backcast(w, 1, 3, phi, 2);
  EXPECT_EQ(w, (std::vector<float>{3, 2, 4}));
}

}  // namespace
}  // namespace veska::stats
