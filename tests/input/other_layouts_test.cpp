// Heidelberg files and CSV tables: recognised by their first lines, loaded
// into the same table as the decadal layouts, and refused block by block or
// column by column with a console line naming what was not loaded.
#include <cmath>

#include "input/series_file.h"
#include "input_fixture.h"

namespace veska::input::testing {
namespace {

class OtherLayoutsTest : public InputTest {
 protected:
  // Loads the data into table_; false when reading stopped.
  bool loadAll() {
    table_ = load();
    return !stop_;
  }
  bool consoleHas(const std::string& line) const {
    for (const auto& l : consoleLines())
      if (l == line) return true;
    return false;
  }
  SeriesTable table_;
};

std::string heidelberg(const std::string& keyLines, const std::string& kind, const std::string& data) {
  return "HEADER:\n" + keyLines + "DATA:" + kind + "\n" + data;
}

TEST_F(OtherLayoutsTest, RealHeidelbergFileLoadsEverySeries) {
  const auto real = test::realDataDir();
  if (!real) GTEST_SKIP() << "the shared real data files are not present beside the checkout";
  openData(test::readFile(*real / "doel1_qusp_shiptimbers_heidelberg.fh"));
  ASSERT_TRUE(loadAll());
  EXPECT_TRUE(consoleHas(" Reading a Heidelberg file"));
  // Identifiers, first years and lengths as the file's headers give them;
  // single curves and means (the latter in groups of four) alike.
  struct Expected {
    const char* id;
    int first;
    std::size_t length;
  };
  const Expected expected[] = {{"K1_091  ", 1158, 135}, {"S38-BB  ", 1193, 114}, {"GD3-1BB ", 1222, 89},
                               {"GR1mBB  ", 1220, 91},  {"GQ1mBB  ", 1150, 165}, {"K1_095  ", 1207, 114},
                               {"GG1-1BB ", 1240, 83},  {"S13mSB  ", 1164, 159}, {"S13A-BB ", 1232, 93},
                               {"S6-SB   ", 1221, 104}};
  ASSERT_EQ(table_.size(), std::size(expected));
  for (std::size_t k = 0; k < table_.size(); ++k) {
    SCOPED_TRACE(expected[k].id);
    EXPECT_EQ(utf8(table_[k].id), expected[k].id);
    EXPECT_EQ(table_[k].firstYear, expected[k].first);
    EXPECT_EQ(table_[k].values.size(), expected[k].length);
  }
  EXPECT_EQ(table_[0].values[0], 250 * 0.01f);
  EXPECT_EQ(table_[0].values.back(), 110 * 0.01f);  // the zeros after it pad the line
  EXPECT_EQ(table_[3].values[1], 117 * 0.01f);  // the second group's first number
  EXPECT_EQ(table_[9].values.back(), 96 * 0.01f);
}

TEST_F(OtherLayoutsTest, HeidelbergShapesUnitsAndDefaults) {
  openData(heidelberg("KeyCode=LONGNAME123\nLength=3\nUnit=1/1000 mm\n", "Single", "  1234     5    60     0\n") +
           heidelberg("KeyCode=MEAN\nDateBegin=-20\nLength=2\nDataFormat=HalfChrono\n", "Chrono",
                      "   100     3   200     4\n"));
  ASSERT_TRUE(loadAll());
  ASSERT_EQ(table_.size(), 2u);
  EXPECT_EQ(utf8(table_[0].id), "LONGNAME");
  EXPECT_EQ(table_[0].firstYear, 1);  // undated: no DateBegin
  ASSERT_EQ(table_[0].values.size(), 3u);
  EXPECT_EQ(table_[0].values[0], 1234 * 0.01f * 0.1f);
  EXPECT_EQ(table_[1].firstYear, -20);
  ASSERT_EQ(table_[1].values.size(), 2u);
  EXPECT_EQ(table_[1].values[1], 200 * 0.01f);
}

TEST_F(OtherLayoutsTest, CsvColumnsAreSeriesTrimmedAtTheirEnds) {
  openData("Year;A;\"Second long name\";C\n1990;1,5;NA;\n1991;2.25;0.1;\n1992;;0.2;\n");
  ASSERT_TRUE(loadAll());
  EXPECT_TRUE(consoleHas(" Reading a CSV table"));
  ASSERT_EQ(table_.size(), 2u);  // the empty column C is no series
  EXPECT_EQ(utf8(table_[0].id), "A       ");
  EXPECT_EQ(table_[0].firstYear, 1990);
  ASSERT_EQ(table_[0].values.size(), 2u);
  EXPECT_EQ(table_[0].values[1], 2.25f);
  EXPECT_EQ(utf8(table_[1].id), "Second l");
  EXPECT_EQ(table_[1].firstYear, 1991);
  EXPECT_EQ(table_[1].values[0], 0.1f);  // one correct rounding of the decimal
}

TEST_F(OtherLayoutsTest, AFileThatOnlyLooksAlikeIsStillDecadal) {
  openData("Yearly ring widths, oak\n\n" + rwSeries("OAK1", 1985, {150, 160}));
  ASSERT_TRUE(loadAll());
  ASSERT_EQ(table_.size(), 1u);
  EXPECT_FALSE(consoleHas(" Reading a CSV table"));
}

struct Refusal {
  const char* name;
  std::string file;
  bool refused;              // the whole file refused: reading stopped
  std::size_t loaded;        // series loaded when it was not
  std::string consoleLine;
};

TEST_F(OtherLayoutsTest, RefusalsSayWhatWasNotLoaded) {
  const std::string good = heidelberg("KeyCode=GOOD\nLength=2\n", "Single", "   100   200\n");
  const Refusal rows[] = {
      {"length too long", heidelberg("KeyCode=BAD\nLength=4\n", "Single", "   100   200     0\n") + good, false, 1,
       "    *** Series BAD      has a Length that disagrees with its data: not loaded ***"},
      {"length too short", heidelberg("KeyCode=BAD\nLength=1\n", "Single", "   100   200\n") + good, false, 1,
       "    *** Series BAD      has a Length that disagrees with its data: not loaded ***"},
      {"no KeyCode", good + heidelberg("Length=2\n", "Single", "   100   200\n"), false, 1,
       "    *** Heidelberg block 2 has no KeyCode: not loaded ***"},
      {"years not rising", "Year,A\n1990,1\n1992,2\n", true, 0,
       "    *** CSV table, row 3: the years do not rise by one: file not read ***"},
      // An infinite width is no measurement: its series is not loaded, the others are.
      {"infinite value", "Year\tA\tB\n1990\t1\t1\n1991\tinf\t1\n", false, 1,
       "    *** Series A        has a value that is not finite: not loaded ***"},
      {"no number", "Year\tA\n1990\t1\n1991\t1.5mm\n", true, 0,
       "    *** CSV table, row 3: a value is no decimal number: file not read ***"},
  };
  for (const Refusal& row : rows) {
    SCOPED_TRACE(row.name);
    openData(row.file);
    const bool loaded = loadAll();
    EXPECT_EQ(loaded, !row.refused);
    if (loaded) {
      EXPECT_EQ(table_.size(), row.loaded);
      EXPECT_TRUE(consoleHas(row.consoleLine));
    } else {
      EXPECT_TRUE(stoppedWith(ReadStop::Kind::TableRefused, row.consoleLine));
    }
  }
}

}  // namespace
}  // namespace veska::input::testing
