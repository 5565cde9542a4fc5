#include <gtest/gtest.h>

#include "runtime/units.h"
#include "support/test_support.h"

namespace veska::runtime {
namespace {

// One line as a record of `length` characters, as the readers take it.
records::ReadStatus readRecord(InputUnit& in, records::Text& record, std::size_t length) {
  const records::ReadStatus status = in.readLine(record);
  if (status == records::ReadStatus::Ok) record = records::fitRecord(record, length);
  return status;
}

std::vector<records::Text> readAll(const std::string& bytes, std::size_t length = 6) {
  test::TempDir dir;
  test::writeFile(dir.file("f"), bytes);
  Units units;
  EXPECT_TRUE(units.open(Unit::UndatedSeries, "f", OpenFor::Reading).ok);
  std::vector<records::Text> records;
  records::Text record;
  while (readRecord(*units.input(Unit::UndatedSeries), record, length) == records::ReadStatus::Ok) records.push_back(record);
  return records;
}

TEST(RecordReading, EveryLineEndEndsOneLine) {
  const std::vector<records::Text> expected{U"a     ", U"bb    ", U"      ", U"c     "};
  const char* files[] = {"a\nbb\n\nc\n", "a\r\nbb\r\n\r\nc\r\n", "a\r\r\nbb\r\r\n\r\r\nc\r\r\n",
                         "a\rbb\r\n\nc", "a\nbb\r\r\n\rc"};
  for (const char* bytes : files) {
    SCOPED_TRACE(testing::PrintToString(std::string(bytes)));
    EXPECT_EQ(readAll(bytes), expected);
  }
}

TEST(RecordReading, CutsLongLinesAndPadsShortOnes) {
  EXPECT_EQ(readAll("1234567890\n12\n", 4), (std::vector<records::Text>{U"1234", U"12  "}));
  EXPECT_EQ(readAll(""), std::vector<records::Text>{});
}

TEST(RecordReading, Utf8LinesAreCharactersOtherLinesLatin1) {
  // "Ёлка" in UTF-8 is 8 bytes but 4 columns; the same line in a legacy
  // encoding is read byte by byte.
  EXPECT_EQ(readAll("\xD0\x81\xD0\xBB\xD0\xBA\xD0\xB0" "12\n"), std::vector<records::Text>{U"Ёлка12"});
  EXPECT_EQ(readAll("Sk\xF6vde\n"), std::vector<records::Text>{U"Sk\u00F6vde"});
  EXPECT_EQ(readAll("\xC3(\n"), std::vector<records::Text>{U"\u00C3(    "});  // broken UTF-8
}

TEST(RecordReading, ByteOrderMarkOfTheFirstLineIsNotAColumn) {
  // A data line first in a file saved with a byte-order mark keeps its year in
  // columns 9-12; a mark on a later line is a character like any other.
  EXPECT_EQ(readAll("\xEF\xBB\xBF" "OAK01  1985\n\xEF\xBB\xBFx\n", 12),
            (std::vector<records::Text>{U"OAK01  1985 ", U"\uFEFFx          "}));
}

TEST(Units, OldFileMustExistAndUnknownReplaces) {
  test::TempDir dir;
  Units units;
  const OpenResult missing = units.open(Unit::UndatedSeries, "absent.rwl", OpenFor::Reading);
  EXPECT_FALSE(missing.ok);
  EXPECT_EQ(missing.reason, "No such file or directory");
  EXPECT_FALSE(units.open(Unit::UndatedSeries, ".", OpenFor::Reading).ok);  // a directory is not a data file
  EXPECT_FALSE(units.open(Unit::UndatedSeries, "", OpenFor::Reading).ok);

  test::writeFile(dir.file("VESKA.OUT"), "old contents that must go\n");
  ASSERT_TRUE(units.open(Unit::Report, "VESKA.OUT", OpenFor::Writing).ok);
  EXPECT_TRUE(units.output(Unit::Report)->writeLine("new"));
  EXPECT_EQ(units.closeAll(), std::nullopt);
  EXPECT_EQ(test::readFile(dir.file("VESKA.OUT")), "new\n");
}

}  // namespace
}  // namespace veska::runtime
