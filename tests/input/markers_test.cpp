// End markers and the units they give a series.
#include <cmath>
#include <cstring>

#include "input_fixture.h"

namespace veska::input::testing {
namespace {

using MarkerTest = InputTest;

std::uint32_t bits(float f) {
  std::uint32_t u;
  std::memcpy(&u, &f, sizeof u);
  return u;
}

TEST_F(MarkerTest, TheSameDigitsAreHundredthsOrThousandthsByTheirMarker) {
  const std::vector<int> digits = {123, 457, 1001, 7, 0, 65535, 12};
  openData(rwSeries("H", 2000, digits, 999) + rwSeries("T", 2000, digits, -9999));
  const Read h = read();
  const Read t = read();
  ASSERT_EQ(h.count, 7);
  ASSERT_EQ(t.count, 7);
  for (std::size_t k = 0; k < digits.size(); ++k) {
    SCOPED_TRACE(digits[k]);
    // Single precision, in two roundings for thousandths: x 0.01f, then x 0.1f.
    const float hundredths = static_cast<float>(digits[k]) * 0.01f;
    EXPECT_EQ(bits(h.values[k]), bits(hundredths));
    EXPECT_EQ(bits(t.values[k]), bits(hundredths * 0.1f));
    EXPECT_NEAR(t.values[k], digits[k] / 1000.0, 1e-6 * (1.0 + std::abs(digits[k]) / 1000.0));
  }
}

TEST_F(MarkerTest, ThousandthsRoundTwiceNotOnce) {
  // 13 x 0.01f x 0.1f is 0.0129999993, one step below the float nearest
  // 0.013: thousandths are hundredths made ten times smaller, not read anew.
  openData(rwSeries("T", 2000, {13}, -9999));
  const Read t = read();
  ASSERT_EQ(t.count, 1);
  EXPECT_EQ(bits(t.values[0]), bits(0.0129999993f));
  EXPECT_NE(bits(t.values[0]), bits(0.013f));
}

TEST_F(MarkerTest, IndicesAreThousandthsAndEndAt9990OrMore) {
  openData(ixLine("A", 1990, {1000, 9989, 5, 9990}) + ixLine("B", 1990, {1500, 9999}));
  const Read a = read(Layout::Indices);
  ASSERT_EQ(a.count, 3);
  EXPECT_EQ(bits(a.values[0]), bits(1000.0f * 0.001f));
  EXPECT_EQ(bits(a.values[1]), bits(9989.0f * 0.001f));
  EXPECT_EQ(bits(a.values[2]), bits(5.0f * 0.001f));
  const Read b = read(Layout::Indices);
  EXPECT_EQ(b.count, 1);
}

TEST_F(MarkerTest, AMarkerMidLineEndsTheSeriesThere) {
  // What stands behind the marker is not used: the next series starts on the
  // following line.
  openData(rwLine("A", 1990, {100, 200, 300, 999, 11, 22, 33}) + rwLine("B", 1995, {400, 999}));
  const Read a = read();
  EXPECT_EQ(a.count, 3);
  EXPECT_FLOAT_EQ(a.values[2], 3.0f);
  const Read b = read();
  EXPECT_EQ(utf8(b.id), "B       ");
  EXPECT_EQ(b.count, 1);
}

// A line with text appended behind its last column.
std::string behind(const std::string& line, const std::string& more) { return line.substr(0, line.size() - 1) + more + "\n"; }

const std::vector<int> kFull = {100, 101, 102, 103, 104, 105, 106, 107, 108, 109};

TEST_F(MarkerTest, MarkersWrittenWhereNoSlotWasLeftForThem) {
  struct Row {
    const char* what;
    std::string data;
    std::vector<std::string> series;  // identifier, first year, count
    float last;                       // the first series' last value
  };
  const Row rows[] = {
      {"an eleventh field ends a full line's series mid-file",
       behind(rwLine("A", 1980, kFull), "   999") + rwSeries("B", 1990, {100}), {"A 1980 10", "B 1990 1"}, 1.09f},
      {"an eleventh -9999 at the end of the file makes thousandths",
       rwLine("A", 1980, kFull) + behind(rwLine("A", 1990, kFull), " -9999"), {"A 1980 20"}, 1.09f * 0.1f},
      {"an eleventh field behind a line with a blank slot is not read",
       behind(rwLine("A", 1980, {100, 101, 102, 103, 104, 105, 106, 107, 108}), "         999") +
           rwLine("A", 1990, {200, 999}),
       {"A 1980 11"}, 2.00f},
      {"a marker in the slot behind a short first line's last year",
       cat({"TST14A  1906     0     0   100   200   999\n", rwSeries("B", 1990, {100})}), {"TST14A 1906 4", "B 1990 1"}, 2.00f},
      {"that marker with text behind it is not read",
       rwLine("A", 1906, {0, 0, 100, 200, 999, 5}) + rwLine("A", 1910, {300, 999}), {"A 1906 5"}, 3.00f},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    openData(r.data);
    EXPECT_EQ(readAll(), r.series);
    EXPECT_TRUE(notices_.empty());
    openData(r.data);
    const Read first = read();
    ASSERT_FALSE(first.values.empty());
    EXPECT_FLOAT_EQ(first.values.back(), r.last);
  }
}

TEST_F(MarkerTest, ASeriesWhoseFirstSlotIsItsMarkerHasNoValues) {
  openData(rwLine("EMPTY", 1990, {999}) + rwLine("NEXT", 1990, {100, 999}));
  const Read s = read();
  EXPECT_EQ(s.count, 0);
  EXPECT_EQ(utf8(s.id), "EMPTY   ");
}

TEST_F(MarkerTest, BlankSlotsReadAsZeros) {
  // A short line: the slots it lacks are values 0, no marker is inferred.
  openData(rwLine("A", 1990, {100}) + rwLine("A", 2000, {200, 999}));
  const Read s = read();
  ASSERT_EQ(s.count, 11);
  for (int k = 1; k < 10; ++k) EXPECT_EQ(s.values[static_cast<std::size_t>(k)], 0.0f) << k;
}

TEST_F(MarkerTest, BlankLinesAreDataLines) {
  // Inside a series a blank line adds ten zeros; as a series' first line it
  // starts a series of year 0 with a blank identifier.
  openData(rwLine("A", 1990, {100, 101, 102, 103, 104, 105, 106, 107, 108, 109}) + "\n" +
           rwLine("A", 2010, {200, 999}) + "\n" + rwLine("", 10, {5, 999}));
  const Read a = read();
  ASSERT_EQ(a.count, 21);
  EXPECT_EQ(a.values[10], 0.0f);
  EXPECT_EQ(a.values[19], 0.0f);
  EXPECT_FLOAT_EQ(a.values[20], 2.0f);
  const Read blank = read();
  EXPECT_EQ(utf8(blank.id), "        ");
  EXPECT_EQ(blank.first, 0);
  EXPECT_EQ(blank.count, 11);
  // No line is taken for a title; the blank line inside A carries year 0.
  const std::vector<std::string> expected = {"", "    *** Series A       : line for 0 where 2000 was expected ***"};
  EXPECT_EQ(consoleLines(), expected);
}

TEST_F(MarkerTest, ALastSeriesWithoutItsMarkerIsDroppedAndNamed) {
  openData(rwSeries("GOOD", 1990, {100, 200}) + rwLine("NOEND01", 1990, {100, 200, 300}));
  Read s = read();
  EXPECT_EQ(s.count, 2);
  s = read();
  EXPECT_TRUE(s.ended);
  const std::vector<std::string> expected = {"", "    *** Series NOEND01  has no end marker: not loaded ***"};
  EXPECT_EQ(consoleLines(), expected);
}

TEST_F(MarkerTest, TheEndOfTheFileAfterTheLastMarkerIsQuiet) {
  // Title lines and blank lines alone after the last series are no
  // unfinished series; a blank line between them does not make one.
  for (Layout layout : {Layout::RingWidths, Layout::Indices}) {
    const std::string last = layout == Layout::RingWidths ? rwSeries("GOOD", 1990, {100}) : ixLine("GOOD", 1990, {100, 9990});
    openData(last + "\n  \t \nMeasured by hand\n\n\n");
    EXPECT_FALSE(read(layout).ended);
    EXPECT_TRUE(read(layout).ended);
    EXPECT_EQ(consoleLines(), (std::vector<std::string>{"", " Title of data:", echoed("Measured by hand")}));
  }
}

TEST_F(MarkerTest, EachCallReadsTheNextSeriesUntilTheFileEnds) {
  openData(rwSeries("A", 1990, {100}) + rwSeries("B", 1991, {100, 200}));
  const Read a = read();
  const Read b = read();
  EXPECT_EQ(utf8(a.id), "A       ");
  EXPECT_EQ(utf8(b.id), "B       ");
  EXPECT_EQ(b.first, 1991);
  EXPECT_EQ(b.count, 2);
  EXPECT_TRUE(read().ended);
}

}  // namespace
}  // namespace veska::input::testing
