#include "stats/burg.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "stats/ar_fit.h"
#include "stats/simulated.h"

namespace veska::stats {
namespace {

float meanSquare(const std::vector<float>& x) {
  double sum = 0.0;
  for (const float v : x) sum += static_cast<double>(v) * v;
  return static_cast<float>(sum / static_cast<double>(x.size()));
}

// Burg's coefficients of one fixed order, with the residual variance.
struct Fit {
  std::vector<float> phi;
  float variance = 0.0f;
};

Fit fitOrder(std::vector<float> x, int order) {
  centre(x);
  ArWork work(static_cast<int>(x.size()));
  std::array<float, kCoefficientRoom> phi{};
  BurgRecursion burg(x, meanSquare(x), work, phi);
  for (int k = 1; k <= order; ++k) EXPECT_EQ(burg.raiseOrder(), BurgRecursion::Step::Raised) << "order " << k;
  return {std::vector<float>(phi.begin(), phi.begin() + order), burg.variance()};
}

std::vector<float> squares(int n) {
  std::vector<float> x;
  for (int t = 1; t <= n; ++t) x.push_back(static_cast<float>(t * t));
  return x;
}

const std::vector<float> kRingWidths = {112, 98,  105, 131, 127, 90,  84,  101, 118, 122, 109, 95,  88, 97,
                                        120, 134, 126, 111, 93,  87,  99,  115, 128, 119, 104, 92,  96, 110,
                                        123, 117, 102, 89,  94,  108, 125, 130, 113, 100, 91,  106};
const std::vector<float> kShort = {3, -1, 4, 1, -5, 9, 2, -6, 5, 3, -5, 8};

struct Reference {
  const char* series;
  std::vector<float> x;
  std::vector<double> phi;  // from R, double precision
  double variance;          // R's var.pred, which with var.method = 1 is sigma^2_k
};

// Every figure below is printed by R 4.2 with
//   a <- ar.burg(x, aic = FALSE, order.max = k, demean = TRUE, var.method = 1)
//   formatC(c(a$ar, a$var.pred), digits = 9, format = "g")
// where x is the series named in the row and k the number of coefficients.
TEST(BurgRecursion, AgreesWithAnIndependentBurgFitAtFixedOrders) {
  const std::vector<Reference> rows = {
      // x <- (1:20)^2, k = 1, 2, 3
      {"squares k=1", squares(20), {0.980096855}, 612.47519},
      {"squares k=2", squares(20), {1.94006182, -0.979459287}, 24.9029379},
      {"squares k=3", squares(20), {2.83728621, -2.75663451, 0.916040509}, 4.00613029},
      // x <- c(112, 98, 105, ..., 91, 106) (kRingWidths), k = 1, 3, 10
      {"ring widths k=1", kRingWidths, {0.496659796}, 148.63135},
      {"ring widths k=3", kRingWidths, {0.951228279, -0.897302054, 0.0215238077}, 34.2376837},
      {"ring widths k=10",
       kRingWidths,
       {0.860779036, -1.06753355, 0.122202634, -0.206866612, -0.166194773, -0.214929891, 0.0732511528,
        -0.25686317, -0.0591771082, -0.144739405},
       26.4273197},
      // x <- c(3, -1, 4, 1, -5, 9, 2, -6, 5, 3, -5, 8), k = 2, 4
      {"short k=2", kShort, {-0.975018797, -0.854226499}, 4.38378172},
      {"short k=4", kShort, {-0.891008114, -1.09656195, -0.291041667, -0.390807393}, 3.69733359},
  };
  for (const Reference& row : rows) {
    SCOPED_TRACE(row.series);
    const Fit fit = fitOrder(row.x, static_cast<int>(row.phi.size()));
    for (std::size_t i = 0; i < row.phi.size(); ++i) {
      SCOPED_TRACE(i + 1);
      // Single-precision steps against R's double precision.
      EXPECT_NEAR(fit.phi[i], row.phi[i], 2e-5 * (1.0 + std::abs(row.phi[i])));
    }
    EXPECT_NEAR(fit.variance, row.variance, 2e-5 * row.variance);
  }
}

TEST(BurgRecursion, ApproachesTheTrueCoefficientsOfALongAr2Series) {
  const double truth[] = {0.6, -0.3};
  const Fit fit = fitOrder(test::simulateArma(truth, 0.0, 5000, 20240601u), 2);
  // The standard error of each estimate is about 0.013 at this length.
  EXPECT_NEAR(fit.phi[0], truth[0], 0.03);
  EXPECT_NEAR(fit.phi[1], truth[1], 0.03);
  // Innovations of variance 1.
  EXPECT_NEAR(fit.variance, 1.0, 0.05);
}

TEST(BurgRecursion, StopsWithNothingChangedWhenEveryErrorIsZero) {
  // Alternating values are predicted exactly by order 1 (d1 = -1): every
  // error of order 1 is 0, so the denominator of d2 is 0 and no NaN may
  // come of it.
  const std::vector<float> x = {1, -1, 1, -1, 1, -1};
  ArWork work(8);
  std::array<float, kCoefficientRoom> phi{};
  BurgRecursion burg(x, 1.0f, work, phi);
  ASSERT_EQ(burg.raiseOrder(), BurgRecursion::Step::Raised);
  EXPECT_EQ(phi[0], -1.0f);
  EXPECT_EQ(burg.variance(), 0.0f);
  EXPECT_EQ(burg.raiseOrder(), BurgRecursion::Step::ZeroDenominator);
  EXPECT_EQ(burg.order(), 1);
  EXPECT_EQ(phi[0], -1.0f);
  EXPECT_EQ(phi[1], 0.0f);
}

TEST(BurgRecursion, RefusesAnOrderThatWouldLeaveNoErrorTerm) {
  const std::vector<float> x = {-1.5f, -0.5f, 0.5f, 1.5f};
  ArWork work(4);
  std::array<float, kCoefficientRoom> phi{};
  BurgRecursion burg(x, 1.25f, work, phi);
  for (int k = 1; k <= 3; ++k) ASSERT_EQ(burg.raiseOrder(), BurgRecursion::Step::Raised) << k;
  EXPECT_EQ(burg.raiseOrder(), BurgRecursion::Step::NoRoom);
  EXPECT_EQ(burg.order(), 3);
}

TEST(BurgRecursion, GrowsWorkTablesMadeForShorterSeries) {
  const std::vector<float> x = test::simulateArma(std::vector<double>{0.5}, 0.0, 300, 5u);
  const Fit roomy = fitOrder(x, 4);
  std::vector<float> centred = x;
  centre(centred);
  ArWork small(10);
  std::array<float, kCoefficientRoom> phi{};
  BurgRecursion burg(centred, meanSquare(centred), small, phi);
  for (int k = 1; k <= 4; ++k) ASSERT_EQ(burg.raiseOrder(), BurgRecursion::Step::Raised);
  for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(phi[i], roomy.phi[i]);
  EXPECT_GE(small.forward.size(), x.size() - 1);
}

}  // namespace
}  // namespace veska::stats
