// Files from Windows, old Macintosh systems and Unix, and identifiers in
// UTF-8 or Latin-1, all read alike: a column is a character.
#include "input/series_file.h"
#include "input_fixture.h"

namespace veska::input::testing {
namespace {

using LineEndingTest = InputTest;

const std::vector<std::string> kLines = {
    "SITE 1 Title line",
    "A       1995   101   102   103   104   105",
    "A       2000   201   202   999",
    "B       2000   301 -9999",
};

std::string joined(const std::vector<std::string>& lines, const std::vector<std::string>& ends) {
  std::string out;
  for (std::size_t k = 0; k < lines.size(); ++k) out += lines[k] + ends[k % ends.size()];
  return out;
}

TEST_F(LineEndingTest, EveryLineEndReadsAlike) {
  struct Row {
    const char* name;
    std::string bytes;
  };
  const Row rows[] = {
      {"LF", joined(kLines, {"\n"})},
      {"CR LF", joined(kLines, {"\r\n"})},
      {"CR CR LF", joined(kLines, {"\r\r\n"})},
      {"CR", joined(kLines, {"\r"})},
      {"mixed", joined(kLines, {"\r\n", "\r", "\n", "\r\r\n"})},
      {"no final line end", joined(kLines, {"\r"}).substr(0, joined(kLines, {"\r"}).size() - 1)},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    openData(r.bytes);
    const SeriesTable table = load();
    ASSERT_EQ(table.size(), 2u);
    EXPECT_EQ(table[0].firstYear, 1995);
    EXPECT_EQ(table[0].lastYear(), 2001);
    EXPECT_FLOAT_EQ(table[0].values[6], 2.02f);
    EXPECT_EQ(table[1].firstYear, 2000);
    EXPECT_EQ(table[1].lastYear(), 2000);
    EXPECT_FLOAT_EQ(table[1].values[0], 0.301f);
    // One title, echoed once: no line end left behind as an extra line. Both
    // series are too short to be matched, and are named.
    const std::vector<std::string> expected = {"", " Title of data:", echoed("SITE 1 Title line"),
                                               "", "    *** Series A       : 7 rings, fewer than 50: not matched ***",
                                               "", "    *** Series B       : 1 rings, fewer than 50: not matched ***"};
    EXPECT_EQ(consoleLines(), expected);
  }
}

TEST_F(LineEndingTest, Utf8AndLatin1IdentifiersKeepTheirColumns) {
  // "Bäume01" and a Cyrillic identifier: as bytes the year would be shifted.
  struct Row {
    const char* name;
    std::string line;
    const char* id;  // UTF-8
    std::int32_t year;
  };
  const Row rows[] = {
      {"UTF-8", "B\xC3\xA4ume01 1990   100   999", "B\xC3\xA4ume01 ", 1990},
      {"Latin-1", "B\xE4ume01 1990   100   999", "B\xC3\xA4ume01 ", 1990},
      {"Cyrillic", "\xD0\x91\xD0\xB4\x38\x39-06 1964   100   999", "\xD0\x91\xD0\xB4\x38\x39-06 ", 1964},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    openData(r.line + "\n");
    const Read s = read();
    ASSERT_FALSE(s.ended);
    EXPECT_EQ(utf8(s.id), r.id);
    EXPECT_EQ(s.count, 1);
    EXPECT_EQ(s.first, r.year);
    EXPECT_TRUE(notices_.empty());
  }
}

TEST_F(LineEndingTest, TheLastLineReadCanBeReadAgain) {
  // A reader that meets the next reader's first line gives it back.
  openData("one\ntwo\n");
  records::Text r;
  lines().record(r, 3);
  lines().unreadLast();
  ASSERT_EQ(lines().record(r, 5), records::ReadStatus::Ok);
  EXPECT_EQ(r, U"one  ");
  ASSERT_EQ(lines().line(r), records::ReadStatus::Ok);
  EXPECT_EQ(r, U"two");
  EXPECT_EQ(lines().line(r), records::ReadStatus::End);
}

}  // namespace
}  // namespace veska::input::testing
