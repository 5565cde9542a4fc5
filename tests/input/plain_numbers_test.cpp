// Whole and decimal numbers written as plain text, and the values and years
// that a Heidelberg or CSV series may not hold.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

#include "input/plain_numbers.h"
#include "records/text.h"

namespace veska::input {
namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();

TEST(PlainNumbers, WholeNumbersHoldNoBlankAndMoreThanASign) {
  const struct {
    const char* text;
    std::optional<std::int32_t> value;
  } rows[] = {{"1500", 1500},          {" -10000 ", -10000},     {"+7", 7},
              {"1 5 0 0", std::nullopt}, {"-", std::nullopt},      {"+", std::nullopt},
              {"", std::nullopt},        {"- 5", std::nullopt},    {"15.0", std::nullopt},
              {"2147483647", 2147483647}, {"-2147483648", INT32_MIN}, {"2147483648", std::nullopt}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(readWholeNumber(records::decodeLine(row.text)), row.value);
  }
}

TEST(PlainNumbers, DecimalsRoundOnceToSinglePrecision) {
  const struct {
    const char* text;
    bool decimalComma;
    std::optional<float> value;
  } rows[] = {
      {"1.25", false, 1.25f},
      {" +0.57 ", false, 0.57f},
      {"0,57", true, 0.57f},
      {"0,57", false, std::nullopt},
      {"-0.01", false, -0.01f},
      {"1e3", false, 1000.0f},
      // Halfway between two floats, a hair above: through double it would
      // round onto the halfway point and then down to even.
      {"1.0000000596046448", false, std::nextafter(1.0f, 2.0f)},
      {"inf", false, kInf},
      {"-Infinity", false, -kInf},
      {"1e39", false, kInf},
      {"1e999", false, kInf},
      {"-1e999", false, -kInf},
      {"1e-50", false, 0.0f},
      {"0.00000000000000000000000000000000000000000000000001", false, 0.0f},
      {"1.2.3", false, std::nullopt},
      {"1,2", false, std::nullopt},
      {"0x10", false, std::nullopt},
      {"+-1", false, std::nullopt},
      {"", false, std::nullopt},
      {"1 000", false, std::nullopt},
      {"1,5\xC2\xB0", true, std::nullopt},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text);
    const auto got = readDecimalNumber(records::decodeLine(row.text), row.decimalComma);
    ASSERT_EQ(got.has_value(), row.value.has_value());
    if (got) {
      EXPECT_EQ(std::bit_cast<std::uint32_t>(*got), std::bit_cast<std::uint32_t>(*row.value));
    }
  }
  EXPECT_TRUE(std::isnan(*readDecimalNumber(U"nan", false)));
}

TEST(PlainNumbers, ValuesARingCannotHave) {
  const struct {
    float value;
    ValueFault fault;
  } rows[] = {{0.0f, ValueFault::None},
              {-0.0f, ValueFault::None},
              {1e6f, ValueFault::None},
              {std::nextafter(1e6f, 2e6f), ValueFault::TooLarge},
              {-0.001f, ValueFault::Negative},
              {kInf, ValueFault::NotFinite},
              {-kInf, ValueFault::NotFinite},
              {std::numeric_limits<float>::quiet_NaN(), ValueFault::NotFinite}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.value);
    EXPECT_EQ(faultOf(row.value), row.fault);
  }
}

TEST(PlainNumbers, YearsTheReportCanShow) {
  for (const std::int64_t year : {-9999, 0, 99999}) EXPECT_TRUE(isShownYear(year)) << year;
  for (const std::int64_t year : {-10000, 100000}) EXPECT_FALSE(isShownYear(year)) << year;
}

}  // namespace
}  // namespace veska::input
