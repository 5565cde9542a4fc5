// Missing values in every layout: a value below 0 (and in Heidelberg and CSV
// files an empty or NA cell inside a series) is no ring. The series is used
// over its longest stretch without one, and the console says so.
#include <cmath>

#include "input_fixture.h"

namespace veska::input::testing {
namespace {

std::string hashLine(const std::string& title) { return title + std::string(79 - title.size(), ' ') + "#\n"; }

// A CSV table of one series A from `first`, one cell a row.
std::string csv(int first, const std::vector<std::string>& cells) {
  std::string out = "Year,A\n";
  for (std::size_t k = 0; k < cells.size(); ++k) out += std::to_string(first + static_cast<int>(k)) + "," + cells[k] + "\n";
  return out;
}

std::string missingLine(const std::string& id8, int missing, int length, int from, int to) {
  return "    *** Series " + id8 + ": missing values (below 0) in " + std::to_string(missing) + " of " +
         std::to_string(length) + " years: used " + std::to_string(from) + " to " + std::to_string(to) + " ***";
}

struct Case {
  const char* what;
  std::string file;
  Layout layout;
  int first;                    // the stretch kept; -1: no series loaded
  std::vector<float> values;    // its values
  std::vector<std::string> console;  // every console line of the notices, after the layout's own
};

TEST_F(InputTest, ValuesBelowZeroAreMissingInEveryLayout) {
  const std::vector<float> none;
  const Case cases[] = {
      {"ring widths: -999 inside, the longer stretch after it; zero stays a ring",
       rwSeries("A1", 1901, {100, -999, 0, 120, 130}), Layout::RingWidths, 1903, {0.0f, 1.2f, 1.3f},
       {"", missingLine("A1      ", 1, 5, 1903, 1905), "", "    *** Series A1      : 3 rings, fewer than 50: not matched ***"}},
      {"ring widths in thousandths: equal stretches keep the earlier one",
       rwSeries("A2", 1901, {1000, 1100, -1, 1200, 1300}, -9999), Layout::RingWidths, 1901, {1.0f, 1.1f},
       {"", missingLine("A2      ", 1, 5, 1901, 1902), "", "    *** Series A2      : 2 rings, fewer than 50: not matched ***"}},
      {"ring widths with no value of 0 or more: a series of no rings",
       rwSeries("A3", 1901, {-999, -999}) + rwSeries("A4", 1901, {50}), Layout::RingWidths, 1901, {0.5f},
       {"", "    *** Series A3       has no rings: skipped ***", "",
        "    *** Series A4      : 1 rings, fewer than 50: not matched ***"}},
      {"indices", ixLine("IX", 1900, {1000, -999, 1100, 1200, 9990}), Layout::Indices, 1902, {1.1f, 1.2f},
       {"", missingLine("IX      ", 1, 4, 1902, 1903), "", "    *** Series IX      : 2 rings, fewer than 50: not matched ***"}},
      {"format-driven", hashLine("FD1") + "N        4      1801  (4F8.3)\n   1.250  -9.990   0.500   0.600\n",
       Layout::RingWidths, 1803, {0.5f, 0.6f},
       {"", missingLine("FD1     ", 1, 4, 1803, 1804), "", "    *** Series FD1     : 2 rings, fewer than 50: not matched ***"}},
      {"Heidelberg: NA and a value below 0",
       "HEADER:\nKeyCode=HD\nDateBegin=1500\nLength=6\nDATA:Tree\n100 NA 120 130 -999 140\n", Layout::RingWidths,
       1502, {1.2f, 1.3f},
       {" Reading a Heidelberg file", "", missingLine("HD      ", 2, 6, 1502, 1503), "",
        "    *** Series HD      : 2 rings, fewer than 50: not matched ***"}},
      {"CSV: empty and NA cells inside, not at the ends",
       csv(1990, {"", "1.5", "", "NA", "1.25", "-0.5", "2", "3", "4", "NA"}), Layout::RingWidths, 1996,
       {2.0f, 3.0f, 4.0f},
       {" Reading a CSV table", "", missingLine("A       ", 3, 8, 1996, 1998), "",
        "    *** Series A       : 3 rings, fewer than 50: not matched ***"}},
      {"CSV with no value of 0 or more", csv(1990, {"-999", "NA", "-1"}), Layout::RingWidths, -1, none,
       {" Reading a CSV table", "", "    *** Series A        has no rings: skipped ***"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    openData(c.file);
    const SeriesTable table = load(c.layout);
    EXPECT_FALSE(stop_);
    EXPECT_EQ(consoleLines(), c.console);
    if (c.first < 0) {
      EXPECT_TRUE(table.empty());
      continue;
    }
    ASSERT_FALSE(table.empty());
    const Series& s = table.back();
    EXPECT_EQ(s.firstYear, c.first);
    ASSERT_EQ(s.values.size(), c.values.size());
    for (std::size_t k = 0; k < s.values.size(); ++k) EXPECT_FLOAT_EQ(s.values[k], c.values[k]) << k;
  }
}

// For averaging, the table can keep every year as read, the missing ones
// marked where they stand.
TEST_F(InputTest, MissingValuesKeepTheirYearsWhenAskedFor) {
  openData(rwSeries("A1", 1901, {100, -999, 0, 120}));
  LoadedFile file = loadSeriesFile(lines(), Layout::RingWidths, MissingValues::AsRead);
  ASSERT_EQ(file.table.size(), 1u);
  const Series& s = file.table[0];
  EXPECT_EQ(s.firstYear, 1901);
  ASSERT_EQ(s.values.size(), 4u);
  EXPECT_TRUE(isMissing(s.values[1]));
  EXPECT_EQ(s.values[2], 0.0f);
  const Stretch kept = longestStretch(s.values);
  EXPECT_EQ(kept.offset, 2u);
  EXPECT_EQ(kept.length, 2u);
}

}  // namespace
}  // namespace veska::input::testing
