#include "stats/order_choice.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace veska::stats {
namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

// Walks a given criterion sequence C_0 .. C_M as fitArModel walks the orders it
// computes; M is the maximum order argument.
int chooseOrder(const std::vector<float>& c) {
  const int m = static_cast<int>(c.size()) - 1;
  for (int k = 1; k <= m; ++k)
    if (const auto order = orderAfter(k, m, c[0], c[static_cast<std::size_t>(k - 1)], c[static_cast<std::size_t>(k)]))
      return *order;
  ADD_FAILURE() << "the search did not end at the maximum order";
  return -1;
}

struct Row {
  const char* why;
  std::vector<float> criteria;  // C_0 .. C_M
  int order;
};

TEST(OrderChoice, PicksTheOrderFromTheCriteriaOfRisingOrder) {
  const std::vector<Row> rows = {
      {"rise at 2, C1 <= C0: order 1", {10, 8, 9, 1}, 1},
      {"rise at 2, C1 equal to C0 is not above it: order 1", {10, 10, 11, 1}, 1},
      {"rise at 2, C1 > C0: falls back to 0", {10, 12, 13, 1}, 0},
      {"order 1 is never stopped at k = 1, even above C0", {10, 12, 9, 9.5f, 1}, 2},
      {"order 2 above C0 falls back too", {10, 12, 11, 13}, 0},
      {"an equal criterion goes on", {10, 9, 9, 10, 1}, 2},
      {"several equal criteria go on", {10, 9, 8, 8, 8, 8.5f, 1}, 4},
      {"a NaN criterion stops", {10, 9, 8, kNaN, 1}, 2},
      {"+Inf (N - k - 2 = 0) stops", {10, 9, kInf}, 1},
      {"+Inf after a rise over C0 falls back", {3, 16, kInf}, 0},
      {"-Inf criteria never rise", {10, -kInf, -kInf, kInf}, 2},
      {"never rising up to 11: order 10, not compared with C0",
       {-1000, 20, 19, 18, 17, 16, 15, 14, 13, 12, 11, 10}, 10},
      {"all equal up to 11: order 10", std::vector<float>(12, 5.0f), 10},
      {"a rise at 11 with C10 <= C0: order 10", {50, 20, 19, 18, 17, 16, 15, 14, 13, 12, 11, 12}, 10},
      {"a rise at 11 with C10 > C0: falls back to 0",
       {5, 20, 19, 18, 17, 16, 15, 14, 13, 12, 11, 12}, 0},
      {"maximum order 3 never rising: order 2", {10, 9, 8, 7}, 2},
      {"maximum order 1: order 0 whatever C1 is", {10, 1}, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.why);
    EXPECT_EQ(chooseOrder(row.criteria), row.order);
  }
}

TEST(OrderChoice, ASearchStoppedAtOrderOneKeepsOrderZero) {
  // A zero reflection denominator at k = 1: C(k-1) is C0 itself, so the
  // fall-back cannot apply.
  EXPECT_EQ(orderOnStop(1, 7.0f, 7.0f), 0);
  EXPECT_EQ(orderOnStop(3, 7.0f, 7.0f), 2);
  EXPECT_EQ(orderOnStop(3, 7.0f, std::nextafter(7.0f, 8.0f)), 0);
}

TEST(OrderChoice, CriterionOfOrderZeroHasNoSmallSampleTerm) {
  // N = 4, sigma^2 = 1.25: 4 ln 1.25 + 2; with the term 4/(N - 2) it would be 4.89.
  EXPECT_NEAR(criterion(4, 0, 1.25f), 4.0 * std::log(1.25) + 2.0, 1e-6);
}

TEST(OrderChoice, CriterionCarriesTheCorrectionFromOrderOne) {
  // N = 20, k = 3, sigma^2 = 2: 20 ln 2 + 8 + 40/15.
  EXPECT_NEAR(criterion(20, 3, 2.0f), 20.0 * std::log(2.0) + 8.0 + 40.0 / 15.0, 1e-5);
  EXPECT_EQ(criterion(5, 3, 2.0f), kInf);
  // A residual variance of 0 with no correction to spare: -Inf + Inf.
  EXPECT_TRUE(std::isnan(criterion(5, 3, 0.0f)));
  EXPECT_EQ(criterion(50, 3, 0.0f), -kInf);
}

}  // namespace
}  // namespace veska::stats
