#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "records/numeric_input.h"
#include "records/text.h"

namespace veska::records {
namespace {

struct IntegerCase {
  const char* field;
  std::optional<std::int32_t> expected;
};

TEST(IntegerField, ReadsSignsDigitsAndIgnoresBlanksAndTabs) {
  const IntegerCase cases[] = {
      {"1 2", 12},          // blanks inside a field are ignored
      {"   ", 0},           // an all-blank field is 0
      {"", 0},
      {"  -42", -42},
      {"+7", 7},
      {"\t1\t0", 10},       // tabs count as blanks
      {"-", 0},             // a lone sign reads as 0
      {"+", 0},
      {" 999", 999},
      {"-9999", -9999},
      {"2147483647", 2147483647},
      {"-2147483648", -2147483647 - 1},
      {"2147483648", std::nullopt},  // outside 32 bits: unreadable, not wrapped
      {"99999999999999999999", std::nullopt},
      {"1a2", std::nullopt},         // a letter among the digits
      {"12.", std::nullopt},         // a point is not part of an integer
      {"--1", std::nullopt},
      {"1-", std::nullopt},
      {"ab", std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string("field '") + c.field + "'");
    EXPECT_EQ(readIntegerField(fromUtf8(c.field)), c.expected);
  }
}

TEST(IntegerField, NonAsciiCharacterIsAnError) {
  EXPECT_EQ(readIntegerField(U"1\u04102"), std::nullopt);
}

struct RealCase {
  const char* field;
  int decimals;
  std::optional<float> expected;
};

TEST(RealField, ImpliedDecimalsPointsAndExponents) {
  const RealCase cases[] = {
      {"1234", 2, 12.34},      // no point: the last d digits are decimals
      {"12.5", 3, 12.5},       // a written point overrides d
      {"    ", 3, 0.0},
      {"-1234", 3, -1.234},
      {"  1 234", 0, 1234.0},
      {"1.5E2", 1, 150.0},
      {"1.5D2", 1, 150.0},
      {"1.5Q2", 1, 150.0},
      {"1.5e-2", 0, 0.015},
      {"15E2", 1, 150.0},      // implied decimals apply before the exponent
      {".5", 0, 0.5},
      {"5.", 2, 5.0},
      {"-", 2, 0.0},           // a lone sign reads as 0
      {".", 2, 0.0},
      {"+.25", 4, 0.25},
      {"1.2.3", 1, std::nullopt},
      {"1E", 0, std::nullopt},
      {"E5", 0, std::nullopt},
      {"1x", 0, std::nullopt},
      {"1E+", 0, std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string("field '") + c.field + "' d=" + std::to_string(c.decimals));
    const auto got = readRealField(fromUtf8(c.field), c.decimals);
    ASSERT_EQ(got.has_value(), c.expected.has_value());
    if (got) {
      EXPECT_EQ(*got, *c.expected);
    }
  }
}

TEST(RealField, IsRoundedOnceToSinglePrecision) {
  const float above1 = std::nextafter(1.0f, 2.0f);  // 1 + 2^-23; halfway is 1 + 2^-24
  struct Case {
    const char* field;
    float expected;
  };
  const Case cases[] = {
      {"1.0000000596046447753906250001", above1},  // just above halfway: up
      {"1.000000059604644775390625", 1.0f},        // exactly halfway: to even
      {"1.0000000596046447753906249999", 1.0f},    // just below: down
      {"-1.0000000596046447753906250001", -above1},
      {"10000000596046447753906250001", above1},   // with 28 implied decimals
      {"3.4028235E38", std::numeric_limits<float>::max()},
      {"3.5E38", std::numeric_limits<float>::infinity()},  // beyond the largest float
      {"1E-46", 0.0f},                                     // below the smallest
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.field);
    const int decimals = std::strchr(c.field, '.') || std::strchr(c.field, 'E') ? 0 : 28;
    const auto got = readRealField(fromUtf8(c.field), decimals);
    ASSERT_TRUE(got.has_value());
    EXPECT_EQ(*got, c.expected);
  }
}

TEST(RealField, HugeExponentsSaturateInsteadOfHanging) {
  const auto big = readRealField(U"1E999999999999", 0);
  ASSERT_TRUE(big.has_value());
  EXPECT_TRUE(std::isinf(*big));
  const auto tiny = readRealField(U"1E-999999999999", 0);
  ASSERT_TRUE(tiny.has_value());
  EXPECT_EQ(*tiny, 0.0);
}

}  // namespace
}  // namespace veska::records
