// No format text and no count of values costs unbounded memory or time: huge
// repeat counts are never expanded, groups nest only so deep, and values
// beyond the room given are counted but never stored.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "records/format.h"

namespace veska::records {
namespace {

// n records of ten 8-wide fields holding 1 ... 10.
class TenPerRecord : public RecordSource {
 public:
  explicit TenPerRecord(int records) : left_(records) {}
  ReadStatus next(Text& record) override {
    if (left_ == 0) return ReadStatus::End;
    --left_;
    ++consumed;
    record = U"     1.0     2.0     3.0     4.0     5.0     6.0     7.0     8.0     9.0    10.0";
    return ReadStatus::Ok;
  }
  int consumed = 0;

 private:
  int left_;
};

TEST(FormatBounds, DeepNestingIsRefusedBeforeItCanExhaustTheStack) {
  const std::u32string deep = std::u32string(100000, U'(') + U"F8.3" + std::u32string(100000, U')');
  const ParsedFormat parsed = Format::parse(deep);
  ASSERT_FALSE(parsed.has_value());
  EXPECT_EQ(parsed.error().message, "groups nested too deeply");
  EXPECT_EQ(parsed.error().column, 66u);  // the parenthesis that opens the 65th nested group
  const std::u32string allowed = std::u32string(65, U'(') + U"F8.3" + std::u32string(65, U')');
  EXPECT_TRUE(Format::parse(allowed).has_value());
}

TEST(FormatBounds, RepeatCountsBeyondThirtyTwoBitsAreRefused) {
  struct Case {
    const char32_t* text;
    std::size_t column;  // where the number starts
  };
  for (const Case& c : {Case{U"(2147483648F8.3)", 2}, Case{U"(F2147483648.3)", 3}, Case{U"(2147483648(F8.3))", 2}}) {
    SCOPED_TRACE(toUtf8(c.text));
    const ParsedFormat parsed = Format::parse(c.text);
    ASSERT_FALSE(parsed.has_value());
    EXPECT_EQ(parsed.error().message, "number too large");
    EXPECT_EQ(parsed.error().column, c.column);
  }
}

TEST(FormatBounds, NestedHugeRepeatsReadFromOneRecordWithoutExpanding) {
  // 2147483647 cubed items: only the 6000 asked for are visited, all on the
  // first record (fields beyond its end read as blank), and 5000 are stored.
  const auto format = Format::parse(U"(2147483647(2147483647(2147483647F8.1)))");
  ASSERT_TRUE(format);
  TenPerRecord source(3);
  std::vector<float> values(5000, -1.0f);
  const ValuesRead got = readValues(source, *format, 6000, values.data(), 5000);
  EXPECT_EQ(got.status, ReadStatus::Ok);
  EXPECT_EQ(got.count, 6000);
  EXPECT_EQ(source.consumed, 1);
  EXPECT_EQ(values[9], 10.0f);
  EXPECT_EQ(values[10], 0.0f);
  EXPECT_EQ(values[4999], 0.0f);
}

TEST(FormatBounds, ACountOfTwoBillionStopsAtTheEndOfTheRecords) {
  // Work follows the records there are, not the count asked for; the room
  // (exactly 5000 values here, so a value stored beyond it would be caught
  // by the sanitizer build) is never exceeded.
  const auto format = Format::parse(U"(10F8.1)");
  ASSERT_TRUE(format);
  TenPerRecord source(700);
  std::vector<float> values(5000, -1.0f);
  const ValuesRead got = readValues(source, *format, 2'000'000'000, values.data(), 5000);
  EXPECT_EQ(got.status, ReadStatus::End);
  EXPECT_EQ(got.count, 7000);
  EXPECT_EQ(values[4999], 10.0f);
}

TEST(FormatBounds, EmptyGroupsRepeatNothingWhateverTheirCount) {
  // Found by fuzzing: the cursor once went round such groups 2^62 times.
  struct Case {
    const char32_t* format;
    ReadStatus status;
    std::int64_t count;
    std::vector<float> values;
  };
  const Case cases[] = {
      {U"(2147483647(2147483647()))", ReadStatus::Error, 0, {-1.0f, -1.0f}},  // no value can ever come
      {U"(F8.1,2147483647(2147483647(()())),F8.1)", ReadStatus::Ok, 2, {1.0f, 2.0f}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(toUtf8(c.format));
    const auto format = Format::parse(c.format);
    ASSERT_TRUE(format);
    TenPerRecord source(3);
    std::vector<float> values(2, -1.0f);
    const ValuesRead got = readValues(source, *format, 2, values.data(), 2);
    EXPECT_EQ(got.status, c.status);
    EXPECT_EQ(got.count, c.count);
    EXPECT_EQ(values, c.values);
  }
}

TEST(FormatBounds, MovesBetweenValuesAreBoundedWithinARecord) {
  // A million skips before every value, twelve thousand times over on one
  // record, would take hours: a record needs no million moves, so it is an
  // error reading data after the first value.
  const auto format = Format::parse(U"(12000(999999(1X),F8.1))");
  ASSERT_TRUE(format);
  TenPerRecord source(3);
  std::vector<float> values(12000, -1.0f);
  const ValuesRead got = readValues(source, *format, 12000, values.data(), 12000);
  EXPECT_EQ(got.status, ReadStatus::Error);
  EXPECT_EQ(got.count, 1);
  // Moves start afresh with every record: a value per record goes on.
  const auto perRecord = Format::parse(U"(999999(1X),F8.1)");
  ASSERT_TRUE(perRecord);
  TenPerRecord records(3);
  const ValuesRead three = readValues(records, *perRecord, 3, values.data(), 3);
  EXPECT_EQ(three.status, ReadStatus::Ok);
  EXPECT_EQ(three.count, 3);
}

}  // namespace
}  // namespace veska::records
