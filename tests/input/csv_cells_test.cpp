// Splitting CSV rows into cells: quotes, separators and line ends inside
// quoted cells, blanks around cells, and the separator a header chooses.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "input/csv_cells.h"
#include "records/text.h"

namespace veska::input {
namespace {

struct RowCase {
  std::vector<std::string> lines;  // the row's lines, UTF-8
  char32_t separator;
  std::vector<std::string> cells;  // empty: the row is left open by its lines
};

TEST(CsvCells, SplitsRowsAsRfc4180WritesThem) {
  const RowCase rows[] = {
      {{"Year,OAK01,OAK02"}, U',', {"Year", "OAK01", "OAK02"}},
      // Python's csv module quotes a cell holding the separator.
      {{"\"Year\",\"OAK,01\",\"OAK02\""}, U',', {"Year", "OAK,01", "OAK02"}},
      {{"\"say \"\"oak\"\"\",x"}, U',', {"say \"oak\"", "x"}},
      {{"\"\",,\"\""}, U',', {"", "", ""}},
      {{""}, U',', {""}},
      {{"1985,1.2,"}, U',', {"1985", "1.2", ""}},
      // Blanks around a cell, quoted or not, are no part of it; inside they are.
      {{"  a b  ,  \" c \"  ,d"}, U',', {"a b", " c ", "d"}},
      {{"a\tb ;\"x;y\""}, U';', {"a\tb", "x;y"}},
      {{"a\t \"b\"\tc"}, U'\t', {"a", "b", "c"}},
      // A quote inside an unquoted cell is a character like any other, and
      // characters behind a closing quote are kept.
      {{"OAK\"01,\"x\"y"}, U',', {"OAK\"01", "xy"}},
      {{"1985;1,23;\"0,5\""}, U';', {"1985", "1,23", "0,5"}},
      // A quoted cell runs on over a line end.
      {{"\"OAK", "01\",x"}, U',', {"OAK\n01", "x"}},
      {{"\"a,", "", "b\""}, U',', {"a,\n\nb"}},
      {{"x,\"open"}, U',', {}},
  };
  for (const RowCase& row : rows) {
    SCOPED_TRACE(row.lines.front());
    CsvRowSplitter splitter(row.separator);
    bool complete = false;
    for (const std::string& line : row.lines) complete = splitter.add(records::decodeLine(line));
    ASSERT_EQ(complete, !row.cells.empty());
    if (!complete) continue;
    std::vector<std::string> got;
    for (const std::u32string& cell : splitter.take()) got.push_back(records::toUtf8(cell));
    EXPECT_EQ(got, row.cells);
  }
}

TEST(CsvCells, TheNextRowStartsAfresh) {
  CsvRowSplitter splitter(U',');
  ASSERT_TRUE(splitter.add(U"\"a\",b"));
  EXPECT_EQ(splitter.take().size(), 2u);
  ASSERT_TRUE(splitter.add(U"c"));
  EXPECT_EQ(splitter.take(), std::vector<std::u32string>{U"c"});
}

TEST(CsvCells, TheSeparatorIsTheHeadersFirstOutsideQuotes) {
  const struct {
    const char32_t* header;
    char32_t separator;
  } rows[] = {{U"Year,A", U','},         {U"Year;A,B", U';'}, {U"Year\tA", U'\t'},
              {U"\"A,1\";Year", U';'}, {U"Year", U','},     {U"\"A;B\"\t\"Year\"", U'\t'}};
  for (const auto& row : rows) {
    SCOPED_TRACE(records::toUtf8(row.header));
    EXPECT_EQ(csvSeparator(row.header), row.separator);
  }
}

}  // namespace
}  // namespace veska::input
