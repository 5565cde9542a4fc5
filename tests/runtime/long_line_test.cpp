// A line is never held whole when it is absurdly long: a file without line
// ends (a disk image, a spreadsheet picked by mistake) must cost bounded
// memory, and what is kept must read as the line's start did.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "runtime/line_reader.h"
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

std::vector<std::string> linesOf(const std::string& bytes) {
  test::TempDir dir;
  test::writeFile(dir.file("f"), bytes);
  std::FILE* file = std::fopen(dir.file("f").c_str(), "rb");
  LineReader reader(file);
  std::vector<std::string> lines;
  std::string line;
  while (reader.next(line)) lines.push_back(line);
  EXPECT_FALSE(reader.failed());
  std::fclose(file);
  return lines;
}

TEST(LongLines, KeepTheirStartAndTheNextLineFollows) {
  std::string start = "ABCDEFGH1985   123   456";
  const std::string longLine = start + std::string(4 * kMaxLineBytes, '7');
  for (const char* end : {"\n", "\r\n", "\r"}) {
    SCOPED_TRACE(testing::PrintToString(std::string(end)));
    const auto lines = linesOf(longLine + end + "next" + end);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].size(), kMaxLineBytes);
    EXPECT_EQ(lines[0], longLine.substr(0, kMaxLineBytes));
    EXPECT_EQ(lines[1], "next");
  }
  // Without any line end, and exactly at the limit: kept whole.
  EXPECT_EQ(linesOf(longLine), std::vector<std::string>{longLine.substr(0, kMaxLineBytes)});
  const std::string exact(kMaxLineBytes, 'x');
  EXPECT_EQ(linesOf(exact + "\n"), std::vector<std::string>{exact});
}

TEST(LongLines, ACharacterCutAtTheLimitIsDroppedWhole) {
  // "é" is C3 A9; "€" is E2 82 AC. A line that was valid UTF-8 must stay so,
  // or it would be read as Latin-1 and its columns would shift.
  struct Case {
    std::size_t before;   // ASCII bytes before the character
    std::string character;
    std::size_t kept;
  };
  const Case cases[] = {
      {kMaxLineBytes - 1, "\xC3\xA9", kMaxLineBytes - 1},
      {kMaxLineBytes - 2, "\xC3\xA9", kMaxLineBytes},
      {kMaxLineBytes - 1, "\xE2\x82\xAC", kMaxLineBytes - 1},
      {kMaxLineBytes - 2, "\xE2\x82\xAC", kMaxLineBytes - 2},
      {kMaxLineBytes - 3, "\xE2\x82\xAC", kMaxLineBytes},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.before);
    const std::string line = std::string(c.before, 'x') + c.character + "tail";
    const auto lines = linesOf(line + "\n");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], line.substr(0, c.kept));
  }
}

TEST(LongLines, AreUtf8OnlyWhenTheWholeLineIs) {
  // "ö" is the bytes 0xC3 0xB6 in UTF-8 and the byte 0xF6 in Latin-1.
  struct Case {
    std::string start;  // the line's first bytes
    std::string late;   // bytes well beyond the part kept
    std::u32string record;
  };
  const Case cases[] = {
      {"Sk\xC3\xB6vde ", "\xC3\xB6", U"Sk\u00F6vde 11"},  // UTF-8 throughout
      {"Sk\xC3\xB6vde ", "\xF6", U"Sk\u00C3\u00B6vde 1"},  // Latin-1 late: Latin-1
      {"Sk\xC3\xB6vde ", "\xC3", U"Sk\u00C3\u00B6vde 1"},  // a character cut by the line end
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.late));
    test::TempDir dir;
    test::writeFile(dir.file("f"), c.start + std::string(2 * kMaxLineBytes, '1') + c.late + "\nnext\n");
    Units units;
    ASSERT_TRUE(units.open(Unit::UndatedSeries, "f", OpenFor::Reading).ok);
    records::Text record;
    ASSERT_EQ(readRecord(*units.input(Unit::UndatedSeries), record, 9), records::ReadStatus::Ok);
    EXPECT_EQ(record, c.record);
    ASSERT_EQ(readRecord(*units.input(Unit::UndatedSeries), record, 4), records::ReadStatus::Ok);
    EXPECT_EQ(record, U"next");
  }
}

TEST(LongLines, ReadAsRecordsLikeTheirStart) {
  test::TempDir dir;
  test::writeFile(dir.file("f"), "Sk\xF6vde " + std::string(2 * kMaxLineBytes, '1') + "\nnext\n");
  Units units;
  ASSERT_TRUE(units.open(Unit::UndatedSeries, "f", OpenFor::Reading).ok);
  records::Text record;
  ASSERT_EQ(readRecord(*units.input(Unit::UndatedSeries), record, 8), records::ReadStatus::Ok);
  EXPECT_EQ(record, U"Sk\u00F6vde 1");  // still Latin-1 column for column
  ASSERT_EQ(readRecord(*units.input(Unit::UndatedSeries), record, 8), records::ReadStatus::Ok);
  EXPECT_EQ(record, U"next    ");
}

}  // namespace
}  // namespace veska::runtime
