// A ring-width file's site mean, and references that hold the same series.
#include <gtest/gtest.h>

#include "library/duplicates.h"
#include "library/site_mean.h"
#include "library/library_fixture.h"
#include "stats/smoothing_spline.h"

#include <cmath>

namespace veska::library {
namespace {

input::Series series(std::int32_t first, std::vector<float> values) {
  input::Series s;
  s.firstYear = first;
  s.values = std::move(values);
  return s;
}

double correlation(const std::vector<float>& a, const std::vector<float>& b) {
  double ma = 0, mb = 0;
  for (std::size_t k = 0; k < a.size(); ++k) ma += a[k], mb += b[k];
  ma /= static_cast<double>(a.size()), mb /= static_cast<double>(b.size());
  double ab = 0, aa = 0, bb = 0;
  for (std::size_t k = 0; k < a.size(); ++k)
    ab += (a[k] - ma) * (b[k] - mb), aa += (a[k] - ma) * (a[k] - ma), bb += (b[k] - mb) * (b[k] - mb);
  return ab / std::sqrt(aa * bb);
}

TEST(SiteMean, TreesOfOneAgeGiveAMeanFreeOfTheirAgeTrend) {
  // Five trees that started together: wide juvenile rings falling to a
  // third, times the site's common signal. The old ratio to each tree's
  // own mean kept that fall; the chronology must not.
  testing::Forest site(1700, 250, 11);
  std::vector<input::Series> trees;
  for (int tree = 0; tree < 5; ++tree) {
    std::vector<float> w = site.widths(1700 + tree, 240, 0.5f);
    for (std::size_t k = 0; k < w.size(); ++k) w[k] *= 1.0f + 3.0f * std::exp(-static_cast<float>(k) / 40.0f);
    trees.push_back(series(1700 + tree, w));
  }
  const SiteMean mean = siteMean(trees);
  // Three trees stand from 1702 to 1941.
  ASSERT_EQ(mean.firstYear, 1702);
  ASSERT_EQ(mean.values.size(), 240u);
  const auto average = [&](std::size_t from) {
    double sum = 0;
    for (std::size_t k = from; k < from + 40; ++k) sum += mean.values[k];
    return sum / 40;
  };
  EXPECT_NEAR(average(0), 1.0, 0.05);
  EXPECT_NEAR(average(mean.values.size() - 40), 1.0, 0.05);
  const std::vector<float> signal(site.signal.begin() + 2, site.signal.begin() + 242);
  EXPECT_GT(correlation(mean.values, signal), 0.9);
}

TEST(SiteMean, MissingRingsAreLeftOutAndOneWildTreeHardlyCounts) {
  // Four steady trees; one misses 1020 and one holds a ring five times too
  // wide in 1030.
  std::vector<input::Series> trees(4, series(1000, std::vector<float>(40, 2.0f)));
  trees[1].values[20] = input::kMissingValue;
  trees[2].values[30] = 10.0f;
  const SiteMean mean = siteMean(trees);
  ASSERT_EQ(mean.values.size(), 40u);
  EXPECT_EQ(mean.treeCount, 4);
  EXPECT_FLOAT_EQ(mean.values[20], 1.0f);
  EXPECT_NEAR(mean.values[30], 1.0f, 1e-6);
  EXPECT_NEAR(biweightMean({1.0, 1.1, 0.9, 1.05, 6.0}), 1.02, 0.03);  // a plain mean: 2.01
}

TEST(SiteMean, TheSplineKeepsHalfOfAVariationOf32Years) {
  // Frequency response of the detrending curve, far from the ends.
  const double stiffness = stats::splineStiffness(kSplineYears);
  for (const auto& [period, kept] : {std::pair{32.0, 0.5}, {300.0, 1.0}, {4.0, 0.0}}) {
    std::vector<double> wave(1000);
    for (std::size_t k = 0; k < wave.size(); ++k) wave[k] = std::sin(2 * M_PI * static_cast<double>(k) / period);
    const std::vector<double> curve = stats::smoothingSpline(wave, stiffness);
    double amplitude = 0;
    for (std::size_t k = 400; k < 600; ++k) amplitude = std::max(amplitude, std::abs(curve[k]));
    EXPECT_NEAR(amplitude, kept, 0.02) << period;
  }
}

TEST(SiteMean, TheLongestStretchOfEnoughTreesAndNothingWithout) {
  // Three trees over 1000-1011 and 1015-1029, two over 1012-1014.
  const SiteMean mean = siteMean({series(1000, std::vector<float>(30, 1)), series(1000, std::vector<float>(30, 1)),
                                  series(1000, std::vector<float>(12, 1)), series(1015, std::vector<float>(15, 1))});
  EXPECT_EQ(mean.firstYear, 1015);
  EXPECT_EQ(mean.values.size(), 15u);
  EXPECT_TRUE(siteMean({series(1000, std::vector<float>(30, 1)), series(1000, std::vector<float>(30, 1))}).values.empty());
}

TEST(Duplicates, AnIdenticalStretchOfAHundredYearsIsNamedOnce) {
  testing::Forest f(1000, 400, 7);
  const std::vector<float> base = f.widths(1000, 300, 1);
  std::vector<float> copy(base.begin() + 50, base.begin() + 150);  // years 1050-1149: exactly 100
  std::vector<float> shorter(base.begin() + 50, base.begin() + 149);  // 99 years
  std::vector<float> shifted = copy;                                 // the same values a year later
  std::vector<Reference> refs = {
      testing::reference("site.rwl", 1000, base), testing::reference("other.crn", 1000, f.widths(1000, 300, 1)),
      testing::reference("copy.crn", 1050, copy), testing::reference("shorter.crn", 1050, shorter),
      testing::reference("shifted.crn", 1051, shifted), testing::reference("again.rwl", 1000, base)};
  const auto found = dropDuplicates(refs);
  ASSERT_EQ(found.size(), 2u);
  EXPECT_EQ(found[0].kept, "site.rwl");
  EXPECT_EQ(found[0].dropped, "copy.crn");
  EXPECT_EQ(found[0].firstYear, 1050);
  EXPECT_EQ(found[0].lastYear, 1149);
  EXPECT_EQ(found[1].dropped, "again.rwl");
  EXPECT_EQ(found[1].lastYear, 1299);
  std::vector<std::string> names;
  for (const Reference& r : refs) names.push_back(r.name);
  EXPECT_EQ(names, (std::vector<std::string>{"site.rwl", "other.crn", "shorter.crn", "shifted.crn"}));
}

}  // namespace
}  // namespace veska::library
