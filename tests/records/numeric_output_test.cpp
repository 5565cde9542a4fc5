#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "records/numeric_output.h"
#include "records/record.h"

namespace veska::records {
namespace {

struct FixedCase {
  double value;
  int width, decimals;
  const char* expected;
};

TEST(FixedField, RoundingWidthsAndZeros) {
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const FixedCase cases[] = {
      {123.456, 6, 3, "******"},   // needs 7 columns
      {0.5, 8, 3, "   0.500"},     // leading zero when there is room
      {0.45, 4, 2, "0.45"},        // 0.45 is just above .45 in binary: no rounding question
      {0.5, 4, 3, ".500"},         // no room for the zero
      {-0.5, 4, 2, "-.50"},
      {-0.5, 5, 2, "-0.50"},
      {3.5, 4, 1, " 3.5"},
      {-9.99, 5, 1, "-10.0"},      // the empty-slot t-statistic
      {1.0, 4, 2, "1.00"},
      {0.999, 4, 2, "1.00"},
      {0.125, 5, 2, " 0.13"},      // exact binary tie: away from zero
      {-0.125, 5, 2, "-0.13"},
      {2.5, 3, 0, " 3."},
      {0.375, 6, 2, "  0.38"},
      {0.0, 4, 2, "0.00"},
      {-0.001, 6, 2, "  0.00"},    // no minus sign on a zero
      {-0.004, 4, 2, "0.00"},
      {-0.0, 5, 1, "  0.0"},
      {99.95, 5, 1, "100.0"},      // 99.95 lies just above in binary
      {999.96, 5, 1, "*****"},     // rounding carries past the width
      {1e300, 8, 3, "********"},
      {inf, 5, 1, "  Inf"},        // right-aligned when it fits
      {-inf, 5, 1, " -Inf"},
      {nan, 5, 1, "  NaN"},
      {inf, 2, 1, "**"},
      {-inf, 3, 1, "***"},
      {0.0001, 8, 3, "   0.000"},
      {5.25, 8, 3, "   5.250"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.value << " F" << c.width << "." << c.decimals);
    EXPECT_EQ(formatFixed(c.value, c.width, c.decimals), c.expected);
  }
}

TEST(FixedField, SinglePrecisionValuesRoundFromTheirExactBinaryValue) {
  // 0.45f is 0.449999988..., so it rounds down to .45 at two decimals and to
  // .4 at one, where a decimal tie rule on "0.45" would give .5.
  EXPECT_EQ(formatFixed(0.45f, 4, 1), " 0.4");
  EXPECT_EQ(formatFixed(0.05f, 4, 1), " 0.1");  // 0.0500000007 is above the tie
}

struct IntegerCase {
  long long value;
  int width;
  const char* expected;
};

TEST(IntegerOutput, RightAlignedOrStars) {
  const IntegerCase cases[] = {
      {1, 5, "    1"},    {-12, 4, " -12"}, {10000, 4, "****"}, {9999, 4, "9999"},
      {-999, 4, "-999"},  {-1000, 4, "****"}, {0, 1, "0"},    {100, 3, "100"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.value << " I" << c.width);
    EXPECT_EQ(formatInteger(c.value, c.width), c.expected);
  }
}

TEST(Record, ColumnsCountCharactersNotBytes) {
  Record r;
  r.blanks(1).text(U"Ёлка", 8).integer(1985, 5).column(20).text("|");
  EXPECT_EQ(r.columns(), 20);
  EXPECT_EQ(r.str(), " Ёлка     1985     |");
}

TEST(Record, TextFieldIsCutOrPaddedToItsWidth) {
  EXPECT_EQ(Record().text(U"ABCDEFGHIJ", 8).str(), "ABCDEFGH");
  EXPECT_EQ(Record().text(U"AB", 4).text("|").str(), "AB  |");
}

TEST(Record, PromptRecordPutsArrowInColumns45To48) {
  const std::string line =
      Record().blanks(1).text("Ring widths (M) or Indices (I)").column(45).text("==> ").str();
  ASSERT_EQ(line.size(), 48u);
  EXPECT_EQ(line.substr(44), "==> ");
  EXPECT_EQ(line.substr(1, 30), "Ring widths (M) or Indices (I)");
}

}  // namespace
}  // namespace veska::records
