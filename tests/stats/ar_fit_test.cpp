#include "stats/ar_fit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "stats/order_choice.h"
#include "stats/simulated.h"

namespace veska::stats {
namespace {

ArModel model(std::vector<float>& x, int maxOrder = kOrdersWeighed) {
  ArWork work(5000);
  return fitArModel(x, maxOrder, work);
}

void expectOrderZero(const ArModel& m) {
  EXPECT_EQ(m.order, 0);
  EXPECT_EQ(m.varianceExplained, 0.0f);
  for (const float c : m.coefficients) EXPECT_EQ(c, 0.0f);
}

TEST(ArFit, WorkedExampleOneToFourFallsBackToOrderZero) {
  std::vector<float> x = {1, 2, 3, 4};
  const ArModel m = model(x);
  EXPECT_EQ(x, (std::vector<float>{-1.5f, -0.5f, 0.5f, 1.5f}));
  expectOrderZero(m);

  // The figures behind the choice: sigma^2_0 = 1.25 (divisor N), C0 = 4 ln 1.25 + 2 = 2.89,
  // d1 = 2.5/5.5, C1 = 4 ln(1.25 (1 - d1^2)) + 4 + 12/1 = 15.97, C2 = +Inf as N - 4 = 0.
  ArWork work(4);
  std::array<float, kCoefficientRoom> phi{};
  BurgRecursion burg(x, 1.25f, work, phi);
  ASSERT_EQ(burg.raiseOrder(), BurgRecursion::Step::Raised);
  EXPECT_FLOAT_EQ(burg.reflection(), 2.5f / 5.5f);
  const float c0 = criterion(4, 0, 1.25f);
  const float c1 = criterion(4, 1, burg.variance());
  EXPECT_NEAR(c0, 2.8926, 1e-4);
  EXPECT_NEAR(c1, 15.967, 1e-3);
  ASSERT_EQ(burg.raiseOrder(), BurgRecursion::Step::Raised);
  EXPECT_EQ(criterion(4, 2, burg.variance()), std::numeric_limits<float>::infinity());
}

TEST(ArFit, TooShortOrFlatSeriesAreCentredAndGetOrderZero) {
  struct Row {
    const char* why;
    std::vector<float> x;
    std::vector<float> centred;
  };
  const std::vector<Row> rows = {
      {"empty", {}, {}},
      {"one value", {7}, {0}},
      {"two values", {1, 3}, {-1, 1}},
      {"three values", {1, 2, 6}, {-2, -1, 3}},
      {"all equal", {5, 5, 5, 5, 5, 5}, {0, 0, 0, 0, 0, 0}},
      {"all zero", std::vector<float>(50, 0.0f), std::vector<float>(50, 0.0f)},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.why);
    std::vector<float> x = row.x;
    expectOrderZero(model(x));
    EXPECT_EQ(x, row.centred);
  }
}

TEST(ArFit, AVarianceBeyondSinglePrecisionGivesOrderZero) {
  // Squares of 1e20 overflow single precision: C0 and R would be Inf and NaN.
  std::vector<float> x;
  for (int t = 0; t < 20; ++t) x.push_back(t % 3 == 0 ? 1e20f : -1e20f);
  expectOrderZero(model(x));
}

TEST(ArFit, ZeroReflectionDenominatorKeepsTheOrderBefore) {
  // Order 1 predicts alternating values exactly, so the next reflection
  // denominator is 0: order 1, no NaN.
  std::vector<float> x = {3, 1, 3, 1, 3, 1, 3, 1};
  const ArModel m = model(x);
  EXPECT_EQ(m.order, 1);
  EXPECT_EQ(m.coefficients[0], -1.0f);
  EXPECT_EQ(m.varianceExplained, 1.0f);
  EXPECT_EQ(x, (std::vector<float>{1, -1, 1, -1, 1, -1, 1, -1}));
}

TEST(ArFit, ExactlyPredictableSeriesNeverGiveNaN) {
  std::vector<std::vector<float>> series;
  std::vector<float> sine, line;
  for (int t = 0; t < 200; ++t) sine.push_back(static_cast<float>(std::sin(0.3 * t)));
  for (int t = 0; t < 30; ++t) line.push_back(static_cast<float>(2 * t + 1));
  series = {sine, line, {1, 2, 3, 4, 5}, {0, 0, 0, 0, 1}};
  for (std::vector<float>& x : series) {
    SCOPED_TRACE(x.size());
    const ArModel m = model(x);
    EXPECT_TRUE(std::isfinite(m.varianceExplained));
    for (const float c : m.coefficients) EXPECT_TRUE(std::isfinite(c));
  }
}

// With the stop at k, the model is order k - 1's own: its coefficients (not
// the first k - 1 of order k) and R from sigma^2_(k-1).
TEST(ArFit, KeepsTheCoefficientsAndVarianceOfTheChosenOrder) {
  const double ar2[] = {0.6, -0.3};
  const std::vector<std::vector<float>> series = {
      test::simulateArma(ar2, 0.0, 400, 3u), test::simulateArma({}, 0.6, 150, 9u),
      test::simulateArma(std::vector<double>{0.8}, 0.0, 60, 4u), {112, 98, 105, 131, 127, 90, 84, 101, 118, 122}};
  for (std::size_t s = 0; s < series.size(); ++s) {
    SCOPED_TRACE(s);
    std::vector<float> x = series[s];
    const ArModel m = model(x);
    ASSERT_GE(m.order, 1);
    ArWork work(5000);
    std::array<float, kCoefficientRoom> phi{};
    double sum = 0.0;
    for (const float v : x) sum += static_cast<double>(v) * v;
    const auto variance0 = static_cast<float>(sum / static_cast<double>(x.size()));
    BurgRecursion burg(x, variance0, work, phi);
    for (int k = 1; k <= m.order; ++k) ASSERT_EQ(burg.raiseOrder(), BurgRecursion::Step::Raised);
    for (int i = 0; i < kCoefficientRoom; ++i)
      EXPECT_EQ(m.coefficients[static_cast<std::size_t>(i)], i < m.order ? phi[static_cast<std::size_t>(i)] : 0.0f) << i;
    EXPECT_FLOAT_EQ(m.varianceExplained, 1.0f - burg.variance() / variance0);
  }
}

TEST(ArFit, ChoosesTheTrueOrderOfALongAr2Series) {
  const double truth[] = {0.6, -0.3};
  std::vector<float> x = test::simulateArma(truth, 0.0, 5000, 20240601u);
  const ArModel m = model(x);
  EXPECT_EQ(m.order, 2);
  EXPECT_NEAR(m.coefficients[0], truth[0], 0.03);
  EXPECT_NEAR(m.coefficients[1], truth[1], 0.03);
  // 1 - sigma^2_e / gamma_0, with gamma_0 = (1 - phi2) / ((1 + phi2)((1 - phi2)^2 - phi1^2)).
  const double gamma0 = (1 - truth[1]) / ((1 + truth[1]) * ((1 - truth[1]) * (1 - truth[1]) - truth[0] * truth[0]));
  EXPECT_NEAR(m.varianceExplained, 1.0 - 1.0 / gamma0, 0.03);
}

TEST(ArFit, ACriterionFallingUpToOrderElevenGivesOrderTen) {
  // A moving average has partial autocorrelations at every lag: with 5000
  // values each order up to 11 still lowers the criterion.
  std::vector<float> x = test::simulateArma({}, 0.9, 5000, 7u);
  const ArModel m = model(x);
  EXPECT_EQ(m.order, 10);
  for (int i = 0; i < 10; ++i) EXPECT_NE(m.coefficients[static_cast<std::size_t>(i)], 0.0f) << i;
  EXPECT_EQ(m.coefficients[10], 0.0f);

  // The maximum order argument bounds the search the same way.
  std::vector<float> y = test::simulateArma({}, 0.9, 5000, 7u);
  EXPECT_EQ(model(y, 3).order, 2);
}

TEST(ArFit, TheLongestSeriesFitsWorkTablesOfItsLength) {
  std::vector<float> x = test::simulateArma({}, 0.9, 5000, 8u);
  ArWork work(5000);
  const ArModel m = fitArModel(x, kOrdersWeighed, work);
  EXPECT_EQ(work.forward.size(), 5000u);
  EXPECT_GE(m.order, 1);
}

TEST(Centre, RoundsTheMeanOnceFromADoubleSum) {
  // Summed in single precision, 1e8 swallows every 1 and the mean is 11111111.
  std::vector<float> x = {1e8f, 1, 1, 1, 1, 1, 1, 1, 1};
  EXPECT_EQ(centre(x), 11111112.0f);
  EXPECT_EQ(x[1], 1.0f - 11111112.0f);
}

}  // namespace
}  // namespace veska::stats
