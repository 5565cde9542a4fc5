// Loading a file's series into a table within the limits of 100 series and
// 5000 values.
#include "input/series_file.h"
#include "input_fixture.h"

namespace veska::input::testing {
namespace {

class LoadTest : public InputTest {
 protected:
  // Loads the open file; the run-ending status, or -1 when the load returned.
  int load(std::u32string_view code = U"MR") {
    return statusOf([&] { loadSeriesFile(rt_, *table_, code, kMaxLength, kMaxSeries, records::kUndatedUnit); });
  }
  std::unique_ptr<SeriesTable> table_ = std::make_unique<SeriesTable>();
};

std::string manySeries(int n, int length = 3) {
  std::string out;
  for (int k = 1; k <= n; ++k) out += rwSeries(cat({"S", std::to_string(k)}), 1990, std::vector<int>(static_cast<std::size_t>(length), k));
  return out;
}

std::vector<int> rising(int n) {
  std::vector<int> v;
  for (int k = 0; k < n; ++k) v.push_back(k % 900 + 1);
  return v;
}

TEST_F(LoadTest, EachSeriesFillsItsEntry) {
  openData("Two oaks from the mill\n" + rwSeries("OAK1", 1985, {150, 160, 170}) + rwSeries("OAK2", -12, {5, 6}, -9999));
  EXPECT_EQ(load(), -1);
  ASSERT_EQ(table_->count, 2);
  EXPECT_EQ(utf8(table_->id(1)), "OAK1    ");
  EXPECT_EQ(table_->first[0], 1985);
  EXPECT_EQ(table_->last[0], 1987);
  EXPECT_FLOAT_EQ(table_->values(1)[2], 1.7f);
  EXPECT_EQ(table_->first[1], -12);
  EXPECT_EQ(table_->last[1], -11);
  EXPECT_FLOAT_EQ(table_->values(2)[1], 0.006f);
}

TEST_F(LoadTest, TheAnswerLetterChoosesTheKindInEitherCase) {
  // The same file read as ring widths and as indices: the letter's case does
  // not matter, and a letter naming neither kind loads nothing.
  const std::string file = ixLine("IDX", 1990, {1000, 1100, 1200, 9990});
  struct Row {
    std::u32string code;
    int count;
    float first;
  };
  const Row rows[] = {{U"IR", 1, 1.0f}, {U"iR", 1, 1.0f}, {U"MR", 0, 0}, {U"mR", 0, 0}, {U"XR", 0, 0}};
  for (const Row& r : rows) {
    SCOPED_TRACE(utf8(r.code));
    test::ScriptedConsole console;
    records::Runtime rt(console);
    test::writeFile(dir_.file("k.crn"), file);
    ASSERT_TRUE(rt.open(records::kUndatedUnit, dir_.file("k.crn").string(), records::OpenStatus::Old).ok);
    auto table = std::make_unique<SeriesTable>();
    loadSeriesFile(rt, *table, r.code, kMaxLength, kMaxSeries, records::kUndatedUnit);
    ASSERT_EQ(table->count, r.count);
    if (r.count > 0) {
      EXPECT_EQ(table->length(1), 3);
      EXPECT_FLOAT_EQ(table->values(1)[0], r.first);
    }
  }
}

TEST_F(LoadTest, AFileWithoutDataLinesLoadsNothing) {
  openData("Only a title\n");
  EXPECT_EQ(load(), -1);
  EXPECT_EQ(table_->count, 0);
  EXPECT_EQ(consoleLines().size(), 3u);  // the title's echo, no message
}

TEST_F(LoadTest, ASeriesThatEndsAtOnceStopsTheLoad) {
  openData(rwSeries("A", 1990, {100}) + rwLine("EMPTY", 1990, {999}) + rwSeries("C", 1990, {100}));
  EXPECT_EQ(load(), -1);
  EXPECT_EQ(table_->count, 1);
}

TEST_F(LoadTest, AFormatDrivenSeriesOfNoValuesStopsTheLoad) {
  openData(cat({rwSeries("A", 1990, {100}), "B", std::string(78, ' '), "#\nN        0      1990  (10F8.3)\n",
                rwSeries("C", 1990, {100})}));
  EXPECT_EQ(load(), -1);
  EXPECT_EQ(table_->count, 1);
}

TEST_F(LoadTest, ALastSeriesWithoutMarkerIsNotLoadedButNamed) {
  openData(rwSeries("A", 1990, {100}) + rwLine("LOST", 1990, {100, 200}));
  EXPECT_EQ(load(), -1);
  EXPECT_EQ(table_->count, 1);
  EXPECT_EQ(consoleLines().back(), "    *** Series LOST     has no end marker: not loaded ***");
}

TEST_F(LoadTest, OneHundredSeriesLoad) {
  openData(manySeries(100));
  EXPECT_EQ(load(), -1);
  ASSERT_EQ(table_->count, 100);
  EXPECT_EQ(utf8(table_->id(100)), "S100    ");
  EXPECT_FLOAT_EQ(table_->values(100)[2], 1.0f);
}

TEST_F(LoadTest, TheHundredAndFirstSeriesEndsTheRunAfterAPause) {
  openData(manySeries(101));
  EXPECT_EQ(load(), records::kExitDataLimit);
  EXPECT_EQ(console_.terminated, records::kExitDataLimit);
  EXPECT_EQ(table_->count, 100);
  // The message, then the pause's answer line; nothing after it.
  const std::vector<std::string> tail = {"", "    *** Number of series exceeds maximum allowed: 100 ***", ""};
  EXPECT_EQ(consoleLines(), tail);
}

TEST_F(LoadTest, TheSeriesLimitIsCheckedOnlyOnceTheSeriesIsComplete) {
  // A 101st series without its end marker is no series: the load ends well.
  openData(manySeries(100) + rwLine("S101", 1990, {100}));
  EXPECT_EQ(load(), -1);
  EXPECT_EQ(table_->count, 100);
}

TEST_F(LoadTest, LongSeriesUpToTheLimitLoad) {
  openData(rwSeries("LONG", 1001, rising(5000)));
  EXPECT_EQ(load(), -1);
  ASSERT_EQ(table_->count, 1);
  EXPECT_EQ(table_->last[0], 6000);
  EXPECT_FLOAT_EQ(table_->values(1)[4999], static_cast<float>(4999 % 900 + 1) * 0.01f);
}

TEST_F(LoadTest, TooLongASeriesEndsTheRunWithItsTrueLength) {
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
    test::ScriptedConsole console({""});
    records::Runtime rt(console);
    test::writeFile(dir_.file("long.rwl"), rwSeries("LONG", 1, rising(r.length)));
    ASSERT_TRUE(rt.open(records::kUndatedUnit, dir_.file("long.rwl").string(), records::OpenStatus::Old).ok);
    auto table = std::make_unique<SeriesTable>();
    const int status =
        statusOf([&] { loadSeriesFile(rt, *table, U"MR", kMaxLength, kMaxSeries, records::kUndatedUnit); });
    EXPECT_EQ(status, records::kExitDataLimit);
    EXPECT_EQ(console.terminated, records::kExitDataLimit);
    EXPECT_EQ(table->count, 0);
    EXPECT_EQ(console.output, cat({"\r\n", r.message, "\r\n\r\n"}));
  }
}

TEST_F(LoadTest, TheLengthIsCheckedBeforeTheCount) {
  openData(manySeries(100) + rwSeries("LONG101", 1001, rising(5001)));
  EXPECT_EQ(load(), records::kExitDataLimit);
  EXPECT_NE(consoleLines()[1].find("maximum allowable length: LONG101   5001 > 5000"), std::string::npos);
}

TEST_F(LoadTest, ALimitAboveTheTablesRoomIsTheRoom) {
  // A table of 10 series given the limit 100: its own room is the limit, so
  // nothing is written past it and the message tells the real limit.
  table_ = std::make_unique<SeriesTable>(10, kMaxLength);
  openData(manySeries(11));
  EXPECT_EQ(load(), records::kExitDataLimit);
  EXPECT_EQ(table_->count, 10);
  EXPECT_EQ(consoleLines()[1], "    *** Number of series exceeds maximum allowed:  10 ***");
}

}  // namespace
}  // namespace veska::input::testing
