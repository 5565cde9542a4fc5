#include "dialogue/run_driver.h"

#include <gtest/gtest.h>

#include <limits>

namespace veska::dialogue {
namespace {

stats::ArModel modelOf(int order, float r, std::initializer_list<float> phi) {
  stats::ArModel m;
  m.order = order;
  m.varianceExplained = r;
  std::copy(phi.begin(), phi.end(), m.coefficients.begin());
  return m;
}

TEST(ListingLine, IsLaidOutToTheColumn) {
  struct Row {
    const char* why;
    int number;
    std::u32string id;
    stats::ArModel model;
    std::string line;
    int lastColumn;
  };
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const std::vector<Row> rows = {
      {"order 0 ends after the order", 1, U"ABC01   ", modelOf(0, 0.0f, {}),
       "     1  ABC01     0", 19},
      {"order 1: R and one coefficient", 12, U"KR2a    ", modelOf(1, 0.3456f, {-0.5f}),
       "    12  KR2a      1   0.346  -0.500", 35},
      {"order 10 ends in column 107", 100, U"LONGNAME", modelOf(10, 0.9f, {1.5f, -0.25f, 0.125f, 0, 0.0004f, -0.0004f, 2, -3, 10.5f, -0.999f}),
       "   100  LONGNAME 10   0.900   1.500  -0.250   0.125   0.000   0.000   0.000   2.000  -3.000  10.500  -0.999",
       107},
      {"identifier cut to 8, NaN shown", 3, U"TOOLONGNAME", modelOf(1, nan, {0.25f}),
       "     3  TOOLONGN  1     NaN   0.250", 35},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.why);
    const records::Record r = listingLine(row.number, row.id, row.model);
    EXPECT_EQ(r.str(), row.line);
    EXPECT_EQ(r.columns(), row.lastColumn);
  }
}

}  // namespace
}  // namespace veska::dialogue
