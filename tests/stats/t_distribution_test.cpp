// Student's t tails against the closed forms of 1 and 2 degrees of freedom,
// far into the tail where one minus the other tail would be 0; the
// incomplete beta function's identities; and the chance over many placements
// where 1 - (1 - p)^N would lose a tiny p altogether.
#include "stats/t_distribution.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <string>
#include <vector>

namespace veska::stats {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

void expectRelative(double got, double want, double tolerance) {
  EXPECT_LE(std::fabs(got - want), tolerance * std::fabs(want)) << "got " << got << ", want " << want;
}

// P(T >= t) for 1 degree of freedom (Cauchy) and for 2, in forms that lose no
// digits for large t.
double cauchyUpper(double t) { return std::atan2(1.0, t) / std::numbers::pi; }
double twoDfUpper(double t) {
  const double s = std::sqrt(2.0 + t * t);
  return t >= 0 ? 1.0 / (s * (s + t)) : 0.5 * (1.0 - t / s);
}

TEST(StudentUpperTail, MatchesClosedFormsFarIntoTheTail) {
  for (const double t : {-40.0, -2.0, -0.5, 0.0, 0.5, 2.0, 3.5, 40.0, 1e3, 1e6, 1e12}) {
    SCOPED_TRACE("t = " + std::to_string(t));
    expectRelative(studentUpperTail(t, 1.0), cauchyUpper(t), 1e-12);
    expectRelative(studentUpperTail(t, 2.0), twoDfUpper(t), 1e-12);
  }
}

TEST(StudentUpperTail, ApproachesTheNormalTailForManyDegreesOfFreedom) {
  // The two laws differ by about t^4 / (4 df) of the tail.
  for (const double t : {1.0, 3.5, 5.0}) {
    SCOPED_TRACE("t = " + std::to_string(t));
    expectRelative(studentUpperTail(t, 1e7), 0.5 * std::erfc(t / std::sqrt(2.0)), 1e-4);
  }
}

TEST(StudentUpperTail, TwoTailsMakeOne) {
  for (const double df : {3.0, 48.0, 998.0, 9998.0})
    for (const double t : {0.1, 1.0, 3.5, 6.0}) {
      SCOPED_TRACE("df " + std::to_string(df) + ", t " + std::to_string(t));
      EXPECT_NEAR(studentUpperTail(t, df) + studentUpperTail(-t, df), 1.0, 1e-13);
      EXPECT_LT(studentUpperTail(t + 0.5, df), studentUpperTail(t, df));
    }
}

TEST(StudentUpperTail, InfinitiesAndNonsense) {
  EXPECT_EQ(studentUpperTail(kInf, 48.0), 0.0);
  EXPECT_EQ(studentUpperTail(-kInf, 48.0), 1.0);
  EXPECT_EQ(studentUpperTail(0.0, 48.0), 0.5);
  EXPECT_TRUE(std::isnan(studentUpperTail(std::nan(""), 48.0)));
  EXPECT_TRUE(std::isnan(studentUpperTail(2.0, 0.0)));
}

TEST(RegularizedIncompleteBeta, Identities) {
  for (const double x : {0.0, 1e-9, 0.2, 0.5, 0.9, 1.0}) {
    SCOPED_TRACE("x = " + std::to_string(x));
    EXPECT_NEAR(regularizedIncompleteBeta(1.0, 1.0, x), x, 1e-14);
    EXPECT_NEAR(regularizedIncompleteBeta(3.0, 1.0, x), x * x * x, 1e-14);
    EXPECT_NEAR(regularizedIncompleteBeta(1.0, 4.0, x), 1.0 - std::pow(1.0 - x, 4.0), 1e-14);
    for (const double a : {0.5, 24.0, 2500.0})
      EXPECT_NEAR(regularizedIncompleteBeta(a, 0.5, x), 1.0 - regularizedIncompleteBeta(0.5, a, 1.0 - x), 1e-12);
  }
  EXPECT_TRUE(std::isnan(regularizedIncompleteBeta(1.0, 1.0, 1.5)));
  EXPECT_TRUE(std::isnan(regularizedIncompleteBeta(0.0, 1.0, 0.5)));
}

TEST(ChanceOfReachingIn, OnePlacementIsTheTailAndMorePlacementsRaiseIt) {
  for (const double t : {-1.0, 0.0, 2.0, 3.5, 6.0}) {
    SCOPED_TRACE("t = " + std::to_string(t));
    EXPECT_DOUBLE_EQ(chanceOfReachingIn(t, 98.0, 1.0), studentUpperTail(t, 98.0));
    EXPECT_LE(chanceOfReachingIn(t, 98.0, 10.0), chanceOfReachingIn(t, 98.0, 1000.0));
    EXPECT_LE(chanceOfReachingIn(t, 98.0, 1000.0), 1.0);
  }
  // Two placements: 1 - (1 - p)^2 = 2p - p^2.
  const double p = twoDfUpper(1.5);
  expectRelative(chanceOfReachingIn(1.5, 2.0, 2.0), 2 * p - p * p, 1e-12);
}

TEST(ChanceOfReachingIn, ATinyTailDoesNotVanishOverManyPlacements) {
  // p1 about 1e-24: 1 - (1 - p1)^N in plain arithmetic gives 0; the chance is
  // N p1 to within (N p1)^2.
  const double t = 1e12;
  const double p1 = twoDfUpper(t);
  ASSERT_GT(p1, 0.0);
  for (const double count : {1.0, 100.0, 10000.0}) {
    SCOPED_TRACE("placements " + std::to_string(count));
    expectRelative(chanceOfReachingIn(t, 2.0, count), count * p1, 1e-11);
  }
}

TEST(ChanceOfReachingIn, EdgeValues) {
  EXPECT_EQ(chanceOfReachingIn(kInf, 98.0, 9901.0), 0.0);
  EXPECT_EQ(chanceOfReachingIn(-kInf, 98.0, 9901.0), 1.0);
  EXPECT_EQ(chanceOfReachingIn(3.0, 98.0, 0.0), 0.0);
  EXPECT_TRUE(std::isnan(chanceOfReachingIn(std::nan(""), 98.0, 10.0)));
  EXPECT_TRUE(std::isnan(chanceOfReachingIn(3.0, -1.0, 10.0)));
}

}  // namespace
}  // namespace veska::stats
