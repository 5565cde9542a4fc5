// Loading a file's series into a table within the limits of 1000 series and
// 5000 values.
#include <algorithm>

#include "input/series_file.h"
#include "input_fixture.h"

namespace veska::input::testing {
namespace {

class LoadTest : public InputTest {
 protected:
  // Loads the data into table_; false when reading stopped.
  bool loadAll(Layout layout = Layout::RingWidths) {
    table_ = load(layout);
    return !stop_;
  }
  SeriesTable table_;
};

// Series long enough to be matched, so that none draws a warning.
std::string manySeries(int n, int length = kMinOverlap) {
  std::string out;
  // Widths below 999, the end marker.
  for (int k = 1; k <= n; ++k)
    out += rwSeries(cat({"S", std::to_string(k)}), 1990, std::vector<int>(static_cast<std::size_t>(length), k % 900 + 1));
  return out;
}

std::vector<int> rising(int n) {
  std::vector<int> v;
  for (int k = 0; k < n; ++k) v.push_back(k % 900 + 1);
  return v;
}

TEST_F(LoadTest, EachSeriesFillsItsEntry) {
  openData("Two oaks from the mill\n" + rwSeries("OAK1", 1985, {150, 160, 170}) + rwSeries("OAK2", -12, {5, 6}, -9999));
  EXPECT_TRUE(loadAll());
  ASSERT_EQ(table_.size(), 2u);
  EXPECT_EQ(utf8(table_[0].id), "OAK1    ");
  EXPECT_EQ(table_[0].firstYear, 1985);
  EXPECT_EQ(table_[0].lastYear(), 1987);
  EXPECT_FLOAT_EQ(table_[0].values[2], 1.7f);
  EXPECT_EQ(table_[1].firstYear, -12);
  EXPECT_EQ(table_[1].lastYear(), -11);
  EXPECT_FLOAT_EQ(table_[1].values[1], 0.006f);
}

TEST_F(LoadTest, TheLayoutChoosesHowTheFileIsRead) {
  // An index file read as indices loads its series; read as ring widths it
  // loads none, since its columns do not fit that layout.
  openData(ixLine("IDX", 1990, {1000, 1100, 1200, 9990}));
  EXPECT_TRUE(loadAll(Layout::Indices));
  ASSERT_EQ(table_.size(), 1u);
  EXPECT_EQ(table_[0].values.size(), 3u);
  EXPECT_FLOAT_EQ(table_[0].values[0], 1.0f);
  openData(ixLine("IDX", 1990, {1000, 1100, 1200, 9990}));
  EXPECT_TRUE(loadAll(Layout::RingWidths));
  EXPECT_TRUE(table_.empty());
}

TEST_F(LoadTest, AFileWithoutDataLinesLoadsNothing) {
  openData("Only a title\n");
  EXPECT_TRUE(loadAll());
  EXPECT_TRUE(table_.empty());
  EXPECT_EQ(consoleLines().size(), 3u);  // the title's echo, no message
}

// A series of no rings once ended the file, and every series after it was
// lost without a word (ITRDB's newz010 listed 8 of its 31 series).
TEST_F(LoadTest, ASeriesOfNoRingsIsSkippedAndTheLoadGoesOn) {
  const std::string a = rwSeries("A", 1990, rising(60));
  const std::string c = rwSeries("C", 1990, rising(60));
  const struct {
    const char* name;
    std::string empty;
    Layout layout;
    std::string a, c;
  } rows[] = {
      {"only its end marker", rwLine("EMPTY", 1990, {999}), Layout::RingWidths, a, c},
      {"only its thousandths marker", rwLine("EMPTY", 1990, {-9999}), Layout::RingWidths, a, c},
      {"a format-driven series of no values", cat({"EMPTY", std::string(74, ' '), "#\nN        0      1990  (10F8.3)\n"}),
       Layout::RingWidths, a, c},
      {"an index line of filler only", ixLine("EMPTY", 1995, {9990, 9990, 9990, 9990, 9990, 9990}), Layout::Indices,
       ixLine("A", 1990, {1000, 1100, 9990}), ixLine("C", 1990, {1000, 1100, 9990})},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    openData(row.a + row.empty + row.c);
    EXPECT_TRUE(loadAll(row.layout));
    ASSERT_EQ(table_.size(), 2u);
    EXPECT_EQ(utf8(table_[1].id).substr(0, 1), "C");
    const std::vector<std::string> lines = consoleLines();
    EXPECT_NE(std::find(lines.begin(), lines.end(), "    *** Series EMPTY    has no rings: skipped ***"), lines.end());
  }
}

TEST_F(LoadTest, ALastSeriesWithoutMarkerIsNotLoadedButNamed) {
  openData(rwSeries("A", 1990, {100}) + rwLine("LOST", 1990, {100, 200}));
  EXPECT_TRUE(loadAll());
  EXPECT_EQ(table_.size(), 1u);
  EXPECT_EQ(consoleLines().back(), "    *** Series LOST     has no end marker: not loaded ***");
}

// The same file of n series of two rings in each layout that carries its own
// identifiers, so that no reader keeps a limit of its own.
std::string manySeriesIn(const std::string& layout, int n) {
  std::string out;
  if (layout == "CSV") {
    out = "Year";
    for (int k = 1; k <= n; ++k) out += cat({",S", std::to_string(k)});
    out += "\n1990";
    for (int k = 1; k <= n; ++k) out += ",1.5";
    out += "\n1991";
    for (int k = 1; k <= n; ++k) out += ",1.25";
    return out + "\n";
  }
  if (layout == "Heidelberg") {
    for (int k = 1; k <= n; ++k)
      out += cat({"HEADER:\nKeyCode=S", std::to_string(k), "\nDateBegin=1990\nLength=2\nDATA:Single\n   150   125\n"});
    return out;
  }
  return manySeries(n, 2);
}

TEST_F(LoadTest, AThousandSeriesLoadAndTheThousandAndFirstStopsTheReading) {
  for (const std::string layout : {"decadal", "CSV", "Heidelberg"}) {
    SCOPED_TRACE(layout);
    openData(manySeriesIn(layout, 1000));
    EXPECT_TRUE(loadAll());
    ASSERT_EQ(table_.size(), 1000u);
    EXPECT_EQ(utf8(table_[999].id), "S1000   ");
    EXPECT_EQ(table_[999].values.size(), 2u);

    openData(manySeriesIn(layout, 1001));
    EXPECT_FALSE(loadAll());
    EXPECT_EQ(table_.size(), 1000u);
    EXPECT_TRUE(stoppedWith(ReadStop::Kind::SeriesLimit, "    *** Number of series exceeds maximum allowed: 1000 ***"));
  }
}

TEST_F(LoadTest, TheSeriesLimitIsCheckedOnlyOnceTheSeriesIsComplete) {
  // A 1001st series without its end marker is no series: the load ends well.
  openData(manySeries(1000) + rwLine("S1001", 1990, {100}));
  EXPECT_TRUE(loadAll());
  EXPECT_EQ(table_.size(), 1000u);
}

TEST_F(LoadTest, LongSeriesUpToTheLimitLoad) {
  openData(rwSeries("LONG", 1001, rising(5000)));
  EXPECT_TRUE(loadAll());
  ASSERT_EQ(table_.size(), 1u);
  EXPECT_EQ(table_[0].lastYear(), 6000);
  EXPECT_FLOAT_EQ(table_[0].values[4999], static_cast<float>(4999 % 900 + 1) * 0.01f);
}

TEST_F(LoadTest, TooLongASeriesStopsTheReadingWithItsTrueLength) {
  struct Row {
    int length;
    const char* message;
  };
  const Row rows[] = {
      {5001, "    *** Series read in exceeds maximum allowable length: LONG      5001 > 5000 ***"},
      {10000, "    *** Series read in exceeds maximum allowable length: LONG      **** > 5000 ***"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.length);
    // From -5000, so that every line's year fits its columns.
    openData(rwSeries("LONG", -5000, rising(r.length)));
    EXPECT_FALSE(loadAll());
    EXPECT_TRUE(stoppedWith(ReadStop::Kind::SeriesLimit, r.message));
    EXPECT_TRUE(notices_.empty());
  }
}

TEST_F(LoadTest, TheLengthIsCheckedBeforeTheCount) {
  openData(manySeries(1000) + rwSeries("LONG1001", 1001, rising(5001)));
  EXPECT_FALSE(loadAll());
  ASSERT_TRUE(stop_);
  EXPECT_NE(stop_->message.find("maximum allowable length: LONG1001  5001 > 5000"), std::string::npos);
}

}  // namespace
}  // namespace veska::input::testing
