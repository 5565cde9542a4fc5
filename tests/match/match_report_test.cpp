// The match section's records, to the column.
#include <gtest/gtest.h>

#include <limits>

#include "match/match_report.h"

namespace veska::match {
namespace {

std::string repeat(const std::string& s, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += s;
  return out;
}

MatchSeries named(const std::string& id, int number) {
  MatchSeries s;
  s.id = std::u32string(id.begin(), id.end());
  s.number = number;
  return s;
}

TEST(MatchReport, CorrelationText) {
  const struct {
    float r;
    const char* text;
  } rows[] = {
      {0.45f, " .45"}, {0.05f, " .05"}, {0.0f, " .00"},  {1.0f, "1.00"},
      {0.999f, "1.00"}, {-0.45f, "-.45"}, {-0.001f, " .00"},  // a zero loses its minus sign: no "-.00"
      {-1.0f, "****"}, {std::numeric_limits<float>::quiet_NaN(), " NaN"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.r);
    EXPECT_EQ(correlationText(row.r), row.text);
  }
}

TEST(MatchReport, HeadingBlockTitleColumnDependsOnTheCase) {
  const std::string title =
      "BEST THREE MATCHING POSITIONS FOR FLOATING SERIES - MATCH SHOWS LAST RINGS COMPARED ";
  ASSERT_EQ(title.size(), 84u);
  for (bool withDated : {false, true}) {
    SCOPED_TRACE(withDated ? "dated" : "undated");
    const auto lines = headingBlock(withDated);
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0].str(), "");
    EXPECT_EQ(lines[1].str(), "  " + std::string(87, '-'));  // columns 3-89
    EXPECT_EQ(lines[2].str(), "");
    EXPECT_EQ(lines[3].str(), std::string(withDated ? 5 : 4, ' ') + title);
    // Text in columns 21-66, then " 3.5" in columns 67-70.
    EXPECT_EQ(lines[4].str(), std::string(20, ' ') + "STAR BETWEEN IDENTS INDICATES T-STATISTIC OVER 3.5");
    EXPECT_EQ(lines[4].str().size(), 70u);
    EXPECT_EQ(lines[5].str(), "");
  }
}

TEST(MatchReport, ColumnHeaderAndGroupSeparator) {
  const auto header = columnHeader();
  ASSERT_EQ(header.size(), 3u);
  EXPECT_EQ(header[0].str(), "   FIRST    SECOND  " + repeat(" LAST RING  N CORR  T- ", 3));
  EXPECT_EQ(header[1].str(), "   SERIES   SERIES  " + repeat(" COMPARED  YRS     STAT", 3));
  EXPECT_EQ(header[2].str(), "  ======== ======== " + repeat(" ======================", 3));
  EXPECT_EQ(groupSeparator().str(), "  " + std::string(17, '=') + " " + repeat(" ======================", 3));
  for (const auto& line : header) EXPECT_EQ(line.columns(), 89);
  EXPECT_EQ(groupSeparator().columns(), 89);
}

// The made-up values of the record layout's own illustration.
TEST(MatchReport, PairLineAndProgressLine) {
  BestThree best;
  best.slots[0] = {5.2f, 0.45f, 1850, 1850, 120};
  best.slots[1] = {3.3f, 0.31f, 1790, 1812, 98};
  best.slots[2] = {1.4f, 0.12f, 1903, 1877, 150};
  best.star = '*';
  const MatchSeries first = named("ABC12345", 1);
  const MatchSeries second = named("DEF67890", 2);
  EXPECT_EQ(pairLine(first, second, best).str(),
            "   ABC12345*DEF67890 1850 1850 120 .45  5.2 1790 1812  98 .31  3.3 1903 1877 150 .12  1.4");
  EXPECT_EQ(progressLine(first, second, best).str(),
            " Series   1 ABC12345 and   2 DEF67890 T=  5.2* with 120 overlap");
}

// Empty slots show zeros, " .00" and -10.0; short identifiers are padded
// to their 8 columns; big numbers and infinities keep their field widths.
TEST(MatchReport, EmptySlotsPaddingAndWideValues) {
  BestThree empty;
  const MatchSeries first = named("A", 12);
  const MatchSeries second = named("B1", 345);
  EXPECT_EQ(pairLine(first, second, empty).str(), "   A        B1      " + repeat("    0    0   0 .00-10.0", 3));
  EXPECT_EQ(progressLine(first, second, empty).str(),
            " Series  12 A        and 345 B1       T=-10.0  with   0 overlap");

  BestThree wide;
  wide.slots[0] = {std::numeric_limits<float>::infinity(), 1.0f, 123456, -2000, 5000};
  wide.slots[1] = {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::quiet_NaN(), 1, 2, 50};
  wide.star = '*';
  const std::string line = pairLine(first, second, wide).str();
  EXPECT_EQ(line.substr(20, 23), "*****-200050001.00  Inf");
  EXPECT_EQ(line.substr(43, 23), "    1    2  50 NaN  NaN");
  EXPECT_EQ(line.size(), 89u);
  EXPECT_EQ(progressLine(first, second, wide).str(),
            " Series  12 A        and 345 B1       T=  Inf* with5000 overlap");
}

}  // namespace
}  // namespace veska::match
