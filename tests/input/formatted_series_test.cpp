// The format-driven layout: a header line with count, first year and the
// value lines' layout text, reached from readDecadalSeries by a "#" in column 80.
#include "input/formatted_series.h"
#include "input_fixture.h"

namespace veska::input::testing {
namespace {

// "#" in column 80 of a title line.
std::string hashLine(const std::string& title) { return title + std::string(79 - title.size(), ' ') + "#\n"; }

// Columns 3-10 n, 13-20 first year, 23-30 the layout text.
std::string header(const std::string& lead, long long n, int first, const std::string& layout) {
  char buf[96];
  std::snprintf(buf, sizeof buf, "%-2.2s%8lld  %8d  %-8.8s\n", lead.c_str(), n, first, layout.c_str());
  return buf;
}

class FormattedTest : public InputTest {
 protected:
  // The next format-driven series of the open file; ended when the file
  // ends before a header.
  struct Result {
    bool ended = false;
    std::u32string title;
    std::int32_t count = 0;
    std::int32_t first = 0;
    std::vector<float> values;
  };
  Result readFormatted() {
    FormattedRead read = readFormattedSeries(lines());
    for (Notice& n : read.notices) notices_.push_back(std::move(n));
    const auto& got = read.series;
    Result r;
    if (!got) {
      r.ended = true;
      return r;
    }
    return {false, got->title, got->count, got->firstYear, got->values};
  }
};

TEST_F(FormattedTest, TheDecadalReaderHandsOverAtAHashAndTakesTheIdentifierFromIt) {
  openData(hashLine("PINE07  ring widths in mm") + header("N ", 12, 1801, "(10F8.3)") +
           "   1.250   0.980   1.100   0.700   0.655   1.000   1.234   2.500   0.010   1.111\n"
           "   0.500   0.600\n" +
           rwSeries("NEXT", 1990, {100}));
  Read s = read();
  EXPECT_EQ(utf8(s.id), "PINE07  ");
  EXPECT_EQ(s.first, 1801);
  ASSERT_EQ(s.count, 12);
  EXPECT_FLOAT_EQ(s.values[0], 1.25f);  // as written: no scaling
  EXPECT_FLOAT_EQ(s.values[11], 0.6f);
  // The file stands behind the last value line.
  s = read();
  EXPECT_EQ(utf8(s.id), "NEXT    ");
  EXPECT_EQ(s.count, 1);
  EXPECT_TRUE(notices_.empty());
}

TEST_F(FormattedTest, AHashAfterTheFirstValueIsNoHandOver) {
  // Columns 73-80 of a ring-width line are not read, "#" included.
  const std::string full = rwLine("A", 2000, {200, 201, 202, 203, 204, 205, 206, 207, 208, 209});
  openData(rwLine("A", 1990, {100, 101, 102, 103, 104, 105, 106, 107, 108, 109}) +
           full.substr(0, full.size() - 1) + "       #\n" + rwLine("A", 2010, {999}));
  const Read s = read();
  EXPECT_EQ(s.count, 20);
  EXPECT_TRUE(notices_.empty());
}

TEST_F(FormattedTest, AHeaderNotBeginningWithNNamesTheSeries) {
  openData(hashLine("IGNORED") + header("XY", 2, 1500, "(2F8.0)") + "     1.5     2.5\n");
  const Read s = read();
  EXPECT_EQ(utf8(s.id), "XY      ");
  EXPECT_EQ(s.count, 2);
}

TEST_F(FormattedTest, TheHeaderSearchPassesOverLinesThatDoNotQualify) {
  // Integers without parentheses, parentheses without integers, and "N  "
  // lines (not copied) come before the header.
  openData(header("AA", 5, 1900, "10F8.3") + header("N ", 5, 1900, "10F8.3") + "N  12345678  x  (F8.0)\n" +
           header("N ", 3, -20, "(3F8.0)") + "     1.0     2.0     3.0\n");
  const Result r = readFormatted();
  EXPECT_EQ(r.count, 3);
  EXPECT_EQ(r.first, -20);
  EXPECT_EQ(r.values[2], 3.0f);
  EXPECT_EQ(records::toUtf8(r.title.substr(0, 30)), "AA       5      1900  10F8.3  ");
}

TEST_F(FormattedTest, TheTitleIsTheLastLineNotBeginningWithN) {
  // Every line of 80 columns; a first line that begins with "N  " is still
  // the title when no other line replaces it.
  struct Row {
    const char* name;
    std::string lines;
    std::string title;
  };
  const std::string named = cat({"ID", std::string(78, 'z')});
  const std::string nLine = "N  only a note";
  const Row rows[] = {
      {"a title before an N header", cat({named, "\n", header("N ", 0, 1, "(F8.0)")}), named},
      {"an N line after the title", cat({named, "\n", nLine, "\n", header("N ", 0, 1, "(F8.0)")}), named},
      {"an N line first", cat({nLine, "\n", header("N ", 0, 1, "(F8.0)")}), nLine},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    DataLines data(row.lines);
    const auto got = readFormattedSeries(data.lines).series;
    ASSERT_TRUE(got);
    std::string title = row.title;
    title.resize(80, ' ');
    EXPECT_EQ(records::toUtf8(got->title), title);
    EXPECT_EQ(got->count, 0);
    EXPECT_TRUE(got->values.empty());
  }
}

TEST_F(FormattedTest, TheEndBeforeAHeaderGivesNoSeries) {
  openData("just a title\n" + header("N ", 5, 1900, "10F8.3"));
  const Result r = readFormatted();
  EXPECT_TRUE(r.ended);
  EXPECT_TRUE(notices_.empty());
}

TEST_F(FormattedTest, ReadErrorsAndEarlyEndsKeepTheHeadersCountAndZeroTheRest) {
  struct Row {
    const char* name;
    std::string body;
    const char* message;
    int valuesRead;
  };
  const Row rows[] = {
      {"early end", "     1.0     2.0\n", ">> Sbr DATAR:  Unexpected end reading data", 2},
      {"letter in a value", "     1.0    2.x0     3.0\n", ">> Sbr DATAR:  Error reading data", 1},
      {"layout that cannot be read", "", ">> Sbr DATAR:  Error reading data", 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const std::string layout = row.body.empty() ? "(3Q8.0)" : "(3F8.0)";
    DataLines data(header("N ", 6, 1700, layout) + row.body);
    const FormattedRead read = readFormattedSeries(data.lines);
    const auto& r = read.series;
    ASSERT_TRUE(r);
    EXPECT_EQ(r->count, 6);
    EXPECT_EQ(r->firstYear, 1700);
    ASSERT_EQ(read.notices.size(), 1u);
    EXPECT_EQ(input::consoleLines(read.notices[0]), std::vector<std::string>{row.message});
    ASSERT_EQ(r->values.size(), 6u) << "values for the header's count, no more";
    for (int k = 0; k < row.valuesRead; ++k) EXPECT_EQ(r->values[static_cast<std::size_t>(k)], k + 1.0f);
    for (int k = row.valuesRead; k < 6; ++k) EXPECT_EQ(r->values[static_cast<std::size_t>(k)], 0.0f) << k;
  }
}

TEST_F(FormattedTest, ValuesFollowTheLayoutsNumericRules) {
  // No decimal point: the layout's decimals; a written point overrides them;
  // I items read integers, stored as values.
  openData(header("N ", 4, 1, "(2F8.2)") + "    1234    12.5\n" + "     -75 1.5E+01\n" +
           header("N ", 3, 1, "(3I5)") + "   12  -3    0\n");
  Result r = readFormatted();
  EXPECT_EQ(r.count, 4);
  EXPECT_FLOAT_EQ(r.values[0], 12.34f);
  EXPECT_FLOAT_EQ(r.values[1], 12.5f);
  EXPECT_FLOAT_EQ(r.values[2], -0.75f);
  EXPECT_FLOAT_EQ(r.values[3], 15.0f);
  r = readFormatted();
  EXPECT_EQ(r.count, 3);
  EXPECT_EQ(r.values[0], 12.0f);
  EXPECT_EQ(r.values[1], -3.0f);
  EXPECT_TRUE(notices_.empty());
}

TEST_F(FormattedTest, AHugeCountStopsAtTheEndOfTheFileWithinItsRoom) {
  // The widest count the header holds: reading stops at the end of the file,
  // and nothing is stored beyond the room given.
  std::string body;
  for (int line = 0; line < 600; ++line) body += "     1.0     2.0     3.0     4.0     5.0     6.0     7.0     8.0     9.0    10.0\n";
  openData(header("N ", 99999999, 1, "(10F8.1)") + body);
  const Result r = readFormatted();
  EXPECT_EQ(r.count, 99999999);
  ASSERT_EQ(r.values.size(), 5000u);
  EXPECT_EQ(r.values[4999], 10.0f);
  EXPECT_EQ(consoleLines(), std::vector<std::string>{">> Sbr DATAR:  Unexpected end reading data"});
}

}  // namespace
}  // namespace veska::input::testing
