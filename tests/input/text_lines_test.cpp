// Lines that do not fit the layout are titles: echoed, skipped, and limited
// to 25 in one call.
#include "input_fixture.h"

namespace veska::input::testing {
namespace {

using TextLineTest = InputTest;

std::string titles(int n, const std::string& stem = "Site title") {
  std::string out;
  for (int k = 1; k <= n; ++k) out += cat({stem, " ", std::to_string(k), "\n"});
  return out;
}

TEST_F(TextLineTest, ATextLineIsEchoedAsATitleOfEightyColumns) {
  openData("CAM 1 Campito Mountain\n" + rwSeries("A", 1990, {100}));
  const Read s = read();
  EXPECT_EQ(s.count, 1);
  const std::vector<std::string> expected = {"", " Title of data:", echoed("CAM 1 Campito Mountain")};
  EXPECT_EQ(consoleLines(), expected);
}

TEST_F(TextLineTest, LinesLongerThanEightyColumnsAreCutInTheEcho) {
  const std::string longTitle = cat({"ITAL00 1 Abetone ", std::string(70, 'x'), " RAW"});
  openData(longTitle + "\n" + rwSeries("A", 1990, {100}));
  read();
  ASSERT_EQ(consoleLines().size(), 3u);
  EXPECT_EQ(consoleLines()[2], echoed(longTitle));
}

TEST_F(TextLineTest, TextLinesBetweenDataLinesAreSkipped) {
  openData(rwLine("A", 1990, {100, 101, 102, 103, 104, 105, 106, 107, 108, 109}) + "remeasured 2003\n" +
           rwLine("A", 2000, {200, 999}));
  const Read s = read();
  ASSERT_EQ(s.count, 11);
  EXPECT_FLOAT_EQ(s.values[10], 2.0f);
  EXPECT_EQ(consoleLines().size(), 3u);
}

TEST_F(TextLineTest, TwentyFiveTextLinesInOneCallAreAllowed) {
  // The limit counts per call: 25 before each of two series is fine.
  openData(titles(25) + rwSeries("A", 1990, {100}) + titles(25) + rwSeries("B", 1990, {100}));
  const Read a = read();
  const Read b = read();
  EXPECT_EQ(a.count, 1);
  EXPECT_EQ(b.count, 1);
  EXPECT_EQ(consoleLines().size(), 150u);
}

TEST_F(TextLineTest, TheTwentySixthTextLineStopsTheReading) {
  // Inside one call the limit counts titles before and within the series.
  openData(titles(20) + rwLine("A", 1990, {100}) + titles(6, "note line") + rwLine("A", 2000, {100, 999}));
  EXPECT_TRUE(read().ended);
  EXPECT_TRUE(stoppedWith(ReadStop::Kind::TextLineLimit, "Sbr TRRW:  Over 25 text lines"));
  // The 26th is not echoed: the stop follows the 25th echo.
  const std::vector<std::string> lines = consoleLines();
  ASSERT_EQ(lines.size(), 25u * 3);
  EXPECT_EQ(lines.back(), echoed("note line 5"));
}

}  // namespace
}  // namespace veska::input::testing
