// Which slots of a series' first line belong to it: decades run 0-9 upward
// and -10..-1 downward, with a year 0 between -1 and 1.
#include "input/decadal_line.h"
#include "input_fixture.h"

namespace veska::input::testing {
namespace {

TEST(FirstLineSlots, CountsTheYearsToTheEndOfTheDecade) {
  struct Row {
    std::int32_t year;
    int slots;
  };
  const Row rows[] = {
      {1985, 5}, {1980, 10}, {1989, 1}, {0, 10}, {1, 9},  {9, 1},     {-1, 1},
      {-5, 5},   {-9, 9},    {-10, 10}, {-11, 1}, {-20, 10}, {-1234, 4}, {-3776, 6},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.year);
    EXPECT_EQ(firstLineSlots(r.year), r.slots);
  }
}

using DecadeTest = InputTest;

TEST_F(DecadeTest, RingWidthsStandLeftAlignedOnTheFirstLine) {
  // 1985: slots 1-5 are 1985-1989; slots 6-10 hold what would be garbage
  // values if they were read.
  openData(rwLine("A", 1985, {101, 102, 103, 104, 105, 7777, 7777, 7777, 7777, 7777}) +
           rwLine("A", 1990, {201, 999}));
  const Read s = read();
  ASSERT_EQ(s.count, 6);
  EXPECT_EQ(s.first, 1985);
  EXPECT_FLOAT_EQ(s.values[0], 1.01f);
  EXPECT_FLOAT_EQ(s.values[4], 1.05f);
  EXPECT_FLOAT_EQ(s.values[5], 2.01f);  // 1990
}

TEST_F(DecadeTest, IndicesStandInTheirYearsSlots) {
  // 1985: slots 1-5 are skipped whatever they hold (here not the filler).
  openData(ixLine("CRN", 1985, {1, 2, 3, 4, 5, 1100, 1200, 1300, 1400, 1500}) +
           ixLine("CRN", 1990, {900, 9990}));
  const Read s = read(Layout::Indices);
  ASSERT_EQ(s.count, 6);
  EXPECT_EQ(s.first, 1985);
  EXPECT_FLOAT_EQ(s.values[0], 1.1f);
  EXPECT_FLOAT_EQ(s.values[5], 0.9f);
}

TEST_F(DecadeTest, NegativeIndexYearsReachYearZeroOnTheNextLine) {
  // -5: five values in slots 6-10 (-5..-1); the next line's slot 1 is year 0.
  openData(ixLine("BC", -5, {9990, 9990, 9990, 9990, 9990, 1005, 1004, 1003, 1002, 1001}) +
           ixLine("BC", 0, {1000, 1010, 9990}));
  const Read s = read(Layout::Indices);
  ASSERT_EQ(s.count, 7);
  EXPECT_EQ(s.first, -5);
  EXPECT_FLOAT_EQ(s.values[4], 1.001f);  // year -1
  EXPECT_FLOAT_EQ(s.values[5], 1.0f);    // year 0
  EXPECT_FLOAT_EQ(s.values[6], 1.01f);   // year 1
}

TEST_F(DecadeTest, NegativeRingWidthYearsCrossZero) {
  // -15 takes 5 slots (-15..-11), then -10..-1, then 0 and 1.
  std::vector<int> values;
  for (int y = -15; y <= 1; ++y) values.push_back(500 + y);
  const std::string file = rwSeries("OAK", -15, values);
  openData(file);
  const Read s = read();
  ASSERT_EQ(s.count, 17);
  EXPECT_EQ(s.first, -15);
  for (int k = 0; k < 17; ++k) {
    SCOPED_TRACE(k);
    EXPECT_FLOAT_EQ(s.values[static_cast<std::size_t>(k)], static_cast<float>(values[static_cast<std::size_t>(k)]) * 0.01f);
  }
  // The fixture must really have written the decades as the layout has them.
  EXPECT_NE(file.find("OAK      -15"), std::string::npos);
  EXPECT_NE(file.find("OAK        0"), std::string::npos);
}

TEST_F(DecadeTest, OnlyTheFirstLinesYearCounts) {
  // Later lines' years and identifiers are read but not checked.
  openData(rwLine("ONE", 1998, {100, 101}) + rwLine("TWO", 1234, {102, 999}));
  const Read s = read();
  EXPECT_EQ(utf8(s.id), "ONE     ");
  EXPECT_EQ(s.first, 1998);
  EXPECT_EQ(s.count, 3);
}

}  // namespace
}  // namespace veska::input::testing
