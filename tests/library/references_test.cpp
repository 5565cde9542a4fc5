// A ring-width file's site mean, and references that hold the same series.
#include <gtest/gtest.h>

#include "library/duplicates.h"
#include "library/site_mean.h"
#include "library/library_fixture.h"

namespace veska::library {
namespace {

input::Series series(std::int32_t first, std::vector<float> values) {
  input::Series s;
  s.firstYear = first;
  s.values = std::move(values);
  return s;
}

TEST(SiteMean, EachSeriesOverItsMeanAveragedWhereThreeTreesStand) {
  // Means 2, 4 and 1; the fourth series has no positive mean and takes no part.
  const SiteMean mean = siteMean({series(1000, {1, 3, 2, 2}), series(1001, {4, 4, 8, 0}), series(1001, {1, 1, 1}),
                                  series(1000, {0, 0})});
  EXPECT_EQ(mean.treeCount, 3);
  EXPECT_EQ(mean.firstYear, 1001);
  // 1001: (3/2 + 4/4 + 1/1) / 3; 1002: (2/2 + 4/4 + 1) / 3; 1003: (1 + 2 + 1) / 3.
  // 1000 and 1004 have fewer than three trees.
  ASSERT_EQ(mean.values.size(), 3u);
  EXPECT_FLOAT_EQ(mean.values[0], 3.5f / 3);
  EXPECT_FLOAT_EQ(mean.values[1], 1.0f);
  EXPECT_FLOAT_EQ(mean.values[2], 4.0f / 3);
}

TEST(SiteMean, TheLongestStretchOfEnoughTreesAndNothingWithout) {
  // Three trees over 1000-1001 and 1003-1006, two at 1002.
  const SiteMean mean = siteMean({series(1000, {1, 1, 1, 1, 1, 1, 1}), series(1000, {1, 1, 1, 1, 1, 1, 1}),
                                  series(1000, {1, 1}), series(1003, {1, 1, 1, 1})});
  EXPECT_EQ(mean.firstYear, 1003);
  EXPECT_EQ(mean.values.size(), 4u);
  EXPECT_TRUE(siteMean({series(1000, {1, 2}), series(1000, {1, 2})}).values.empty());
}

TEST(SiteMean, AMissingValueIsLeftOutOfItsYear) {
  const float m = input::kMissingValue;
  // Means 2, 1 and 1 over the values measured; 1001 has three trees left, 1002 two.
  const SiteMean mean = siteMean({series(1000, {1, m, 3, 2}), series(1000, {1, 1, m, 1}), series(1000, {1, 1, m, 1}),
                                  series(1000, {m, 1, 1, 1})});
  EXPECT_EQ(mean.firstYear, 1000);
  ASSERT_EQ(mean.values.size(), 2u);  // 1002 has fewer than three trees
  EXPECT_FLOAT_EQ(mean.values[0], (0.5f + 1 + 1) / 3);
  EXPECT_FLOAT_EQ(mean.values[1], 1.0f);
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
