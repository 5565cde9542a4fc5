// The year field is one column wider, taken from the identifier, on a line
// whose column before the year holds "-"; the choice is made line by line.
#include "input/decadal_line.h"
#include "input_fixture.h"

namespace veska::input::testing {
namespace {

struct VariantRow {
  const char* line;
  Layout layout;
  const char* id;     // expected, 8 characters; nullptr: a text line
  std::int32_t year;
  std::int32_t slot1;
};

TEST(DecadalLine, ChoosesTheYearFieldByTheColumnBeforeIt) {
  const VariantRow rows[] = {
      // Ring widths: column 8.
      {"ABCDEFGH1985   100", Layout::RingWidths, "ABCDEFGH", 1985, 100},
      {"C3N2_02-3694   100", Layout::RingWidths, "C3N2_02 ", -3694, 100},
      {"KBK121 -2035   100", Layout::RingWidths, "KBK121  ", -2035, 100},
      // Eight characters touching a 4-wide negative year: column 8 is "1".
      {"SHM052A1-163   100", Layout::RingWidths, "SHM052A1", -163, 100},
      // An identifier ending in "-" loses it to the year.
      {"ABCDEFG-1985   100", Layout::RingWidths, "ABCDEFG ", -1985, 100},
      {"ABCDEFG--985   100", Layout::RingWidths, nullptr, 0, 0},
      // Indices: column 6.
      {"CRN0011985 100  3", Layout::Indices, "CRN001  ", 1985, 100},
      {"CRN01-1985 100  3", Layout::Indices, "CRN01   ", -1985, 100},
      {"BCX     -5 100  3", Layout::Indices, "BCX     ", -5, 100},
      {"ABCDE-  12 100  3", Layout::Indices, "ABCDE   ", -12, 100},
      // Letters in a value field make a text line; so do they in a count.
      {"SITE  1 Campito Mountain", Layout::RingWidths, nullptr, 0, 0},
      {"CRN0011985 100 x3", Layout::Indices, nullptr, 0, 0},
      // Columns 73-80 of a ring-width line are not read.
      {"A       1990   100   100   100   100   100   100   100   100   100   100xxxxxxxx", Layout::RingWidths,
       "A       ", 1990, 100},
  };
  for (const VariantRow& r : rows) {
    SCOPED_TRACE(r.line);
    const auto line = readDecadalLine(records::fromUtf8(r.line), r.layout);
    if (!r.id) {
      EXPECT_FALSE(line.has_value());
      continue;
    }
    ASSERT_TRUE(line.has_value());
    EXPECT_EQ(utf8(line->id), r.id);
    EXPECT_EQ(line->year, r.year);
    EXPECT_EQ(line->slots[0], r.slot1);
  }
}

TEST(DecadalLine, IndexPairsSitInTheirColumns) {
  // Pair k holds its value in 4+7k..7+7k and its count in 8+7k..10+7k.
  const auto line = readDecadalLine(
      records::fromUtf8("ID00011980   1  2   3  4   5  6   7  8   9 10  11 12  13 14  15 16  17 18  19 20"),
      Layout::Indices);
  ASSERT_TRUE(line.has_value());
  for (int k = 0; k < 10; ++k) {
    SCOPED_TRACE(k);
    EXPECT_EQ(line->slots[static_cast<std::size_t>(k)], 2 * k + 1);
  }
}

using VariantTest = InputTest;

TEST_F(VariantTest, TheVariantIsChosenLineByLine) {
  // A bog oak written with 5-wide years, then a series with 4-wide years:
  // each line picks its own variant.
  openData("C3N2_02-3700   110   120   130   140   150   160   170   170   170   170\n"
           "C3N2_02-3690   200   999\n"
           "C3N2_02 1990   300   999\n");
  Read s = read();
  EXPECT_EQ(utf8(s.id), "C3N2_02 ");
  EXPECT_EQ(s.first, -3700);
  EXPECT_EQ(s.count, 11);
  s = read();
  EXPECT_EQ(utf8(s.id), "C3N2_02 ");
  EXPECT_EQ(s.first, 1990);
  EXPECT_EQ(s.count, 1);
}

}  // namespace
}  // namespace veska::input::testing
