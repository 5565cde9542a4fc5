#include <gtest/gtest.h>

#include <deque>

#include "records/format.h"

namespace veska::records {
namespace {

class Lines : public RecordSource {
 public:
  explicit Lines(std::vector<std::u32string> lines) : lines_(lines.begin(), lines.end()) {}
  ReadStatus next(Text& record) override {
    if (lines_.empty()) return ReadStatus::End;
    record = fitRecord(lines_.front(), 80);
    lines_.pop_front();
    ++consumed;
    return ReadStatus::Ok;
  }
  int consumed = 0;

 private:
  std::deque<std::u32string> lines_;
};

std::u32string tenFields(int first) {
  std::u32string line;
  for (int k = 0; k < 10; ++k) {
    std::u32string field = fitRecord(U"", 8);
    const std::string digits = std::to_string(first + k);
    for (std::size_t i = 0; i < digits.size(); ++i) field[8 - digits.size() + i] = digits[i];
    line += field;
  }
  return line;
}

TEST(FormatParse, RefusesWhatCannotBeInterpretedAndSaysWhere) {
  struct Case {
    const char32_t* text;
    std::size_t column;  // of the text as given, blanks counted
    const char* message;
  };
  const Case cases[] = {
      {U"10F8.3", 1, "format does not start with '('"},
      {U"", 1, "format does not start with '('"},
      {U"(10F8.3", 8, "missing ')'"},  // one past the end
      {U"((((", 5, "missing ')'"},
      {U"(10F0.3)", 5, "zero field width"},
      {U"( 10 f 0 . 3 )", 8, "zero field width"},
      {U"(F.3)", 3, "missing field width"},
      {U"(0F8.3)", 2, "zero repeat count"},
      {U"(10Z8)", 4, "unknown edit descriptor"},
      {U"(A8)", 2, "unknown edit descriptor"},  // text items carry no values here
      {U"(3T5)", 2, "repeat count before T"},
      {U"(T0)", 3, "T needs a column of 1 or more"},
      {U"(F99999999999.1)", 3, "number too large"},
      {U"(F8.x)", 5, "bad number of decimals"},
      {U"(E12.4E)", 8, "bad exponent width"},
      {U"(TL0)", 4, "TL needs a count of 1 or more"},
      {U"(F4,TR)", 7, "TR needs a count of 1 or more"},
      {U"(2TL1)", 2, "repeat count before T"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(toUtf8(c.text));
    const ParsedFormat parsed = Format::parse(c.text);
    ASSERT_FALSE(parsed.has_value());
    EXPECT_EQ(parsed.error().column, c.column);
    EXPECT_EQ(parsed.error().message, c.message);
  }
}

TEST(FormatParse, AcceptsTheShortNotation) {
  const char32_t* good[] = {U"(10F8.3)", U"( 10 f 8 . 3 )", U"(2X,F6.2,T20,I4,/,E12.4)",
                            U"(2(I4,1X),F8)", U"(10F8.3)trailing", U"(5/)", U"(E12.4E2)", U"()",
                            U"(TL2,TR3,F4)", U"(D8.2,G8.2,E8)"};
  for (const char32_t* text : good) {
    SCOPED_TRACE(toUtf8(text));
    EXPECT_TRUE(Format::parse(text).has_value());
  }
}

TEST(FormatRead, TenEightWideRealsRead25ValuesFromThreeLines) {
  const auto format = Format::parse(U"(10F8.3)");
  ASSERT_TRUE(format);
  Lines lines({tenFields(1000), tenFields(2000), tenFields(3000), tenFields(4000)});
  std::vector<float> values(25);
  const ValuesRead got = readValues(lines, *format, 25, values.data(), 25);
  EXPECT_EQ(got.status, ReadStatus::Ok);
  EXPECT_EQ(got.count, 25);
  EXPECT_EQ(lines.consumed, 3);  // 10, 10 and 5: the fourth line stays unread
  EXPECT_FLOAT_EQ(values[0], 1.0f);
  EXPECT_FLOAT_EQ(values[9], 1.009f);
  EXPECT_FLOAT_EQ(values[10], 2.0f);
  EXPECT_FLOAT_EQ(values[24], 3.004f);
}

TEST(FormatRead, ReversionRestartsAtTheLastTopLevelGroup) {
  // The first line holds a 4-wide integer, then pairs; later lines repeat only the group.
  const auto format = Format::parse(U"(I4,2(F4.1))");
  ASSERT_TRUE(format);
  Lines lines({U"   1  10  20", U"  30  40", U"  50  60"});
  std::vector<float> values(7);
  const ValuesRead got = readValues(lines, *format, 7, values.data(), 7);
  EXPECT_EQ(got.status, ReadStatus::Ok);
  EXPECT_EQ(got.count, 7);
  const std::vector<float> expected{1, 1, 2, 3, 4, 5, 6};
  EXPECT_EQ(values, expected);
}

TEST(FormatRead, PositionItemsAndSlash) {
  const auto format = Format::parse(U"(2X,F3.0,T10,F2.0,/,F3.1)");
  ASSERT_TRUE(format);
  Lines lines({U"xx123xxxx45", U"678"});
  std::vector<float> values(3);
  const ValuesRead got = readValues(lines, *format, 3, values.data(), 3);
  ASSERT_EQ(got.status, ReadStatus::Ok);
  EXPECT_EQ(values, (std::vector<float>{123, 45, 67.8f}));
}

TEST(FormatRead, EachItemTakesItsColumnsAndLines) {
  struct Case {
    const char32_t* format;
    std::vector<std::u32string> lines;
    std::vector<float> values;  // as many as are asked for
    int consumed;               // lines read when the values are in
  };
  const Case cases[] = {
      {U"(2F4)", {U"1234  5."}, {1234, 5}, 1},             // F without .d: no implied decimals
      {U"(E6,E4)", {U"1.5E011234"}, {15, 1234}, 1},        // E without .d likewise
      {U"(D6.1,G6.1)", {U"  15D1   123"}, {15, 12.3f}, 1},  // D and G read like E
      {U"(F2.0,TL1,F2.0)", {U"123"}, {12, 23}, 1},          // TL moves left
      {U"(F2.0,TL9,F1.0)", {U"45"}, {45, 4}, 1},            // never left of column 1
      {U"(F1.0,TR2,F1.0)", {U"1xx2"}, {1, 2}, 1},           // TR moves right
      {U"(T3,F1.0,TL3,TR1,F1.0)", {U"x12"}, {2, 1}, 1},
      // A slash behind the last value skips its line, up to the next value
      // item or the layout's end; the end of the file there is no error.
      {U"(F6.2/)", {U"  1.50", U"skip", U"  2.50", U"skip", U"next"}, {1.5f, 2.5f}, 4},
      {U"(F6.2/)", {U"  1.50"}, {1.5f}, 1},
      {U"(F4.0,1X,2/)", {U"   1", U"skip", U"skip", U"next"}, {1}, 3},
      {U"(F4.0,/,F4.0)", {U"   1", U"   2", U"next"}, {1}, 2},
      {U"(F4.0,F4.0,/)", {U"   1   2", U"next"}, {1}, 1},  // stops at the next value item
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(toUtf8(c.format));
    const auto format = Format::parse(c.format);
    ASSERT_TRUE(format);
    Lines lines(c.lines);
    std::vector<float> values(c.values.size(), -1.0f);
    const auto n = static_cast<std::int64_t>(values.size());
    const ValuesRead got = readValues(lines, *format, n, values.data(), n);
    EXPECT_EQ(got.status, ReadStatus::Ok);
    EXPECT_EQ(values, c.values);
    EXPECT_EQ(lines.consumed, c.consumed);
  }
}

TEST(FormatRead, IntegerItemsStoreTheirValue) {
  const auto format = Format::parse(U"(3I4)");
  Lines lines({U"  12 -3    "});
  std::vector<float> values(3, 9.0f);
  ASSERT_EQ(readValues(lines, *format, 3, values.data(), 3).status, ReadStatus::Ok);
  EXPECT_EQ(values, (std::vector<float>{12, -3, 0}));
}

TEST(FormatRead, OutcomesOfBadDataAndEarlyEnd) {
  struct Case {
    const char32_t* format;
    std::vector<std::u32string> lines;
    std::int64_t n;
    ReadStatus status;
    std::int64_t count;
  };
  const Case cases[] = {
      {U"(2F4.0)", {U"   1  x2"}, 2, ReadStatus::Error, 1},   // a letter in a field
      {U"(2F4.0)", {U"   1   2"}, 5, ReadStatus::End, 2},     // file ends inside the values
      {U"(2F4.0)", {}, 1, ReadStatus::End, 0},
      {U"(F4.0)", {U"  1E"}, 1, ReadStatus::Error, 0},       // an exponent without digits
      {U"(F4.0)", {U" 1E+"}, 1, ReadStatus::Error, 0},
      {U"(I11)", {U" 2147483648"}, 1, ReadStatus::Error, 0},  // beyond 32 bits
      {U"(I11)", {U"-2147483648"}, 1, ReadStatus::Ok, 1},
      {U"(10X)", {U"1", U"2"}, 1, ReadStatus::Error, 0},      // no data item: never a value
      {U"(F4.0,(3X))", {U"1", U"2"}, 3, ReadStatus::Error, 1},  // group to revert to has none
      {U"(F4.0,1000000000(1X))", {U"1", U"2"}, 2, ReadStatus::Error, 1},  // bounded work
      {U"(2000000000F4.0)", {U"   1   2"}, 2, ReadStatus::Ok, 2},  // huge count used lazily
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(toUtf8(c.format));
    const auto format = Format::parse(c.format);
    ASSERT_TRUE(format);
    Lines lines(c.lines);
    std::vector<float> values(8);
    const ValuesRead got = readValues(lines, *format, c.n, values.data(), 8);
    EXPECT_EQ(got.status, c.status);
    EXPECT_EQ(got.count, c.count);
  }
}

TEST(FormatRead, StoresNoMoreThanCapacityButCountsOn) {
  const auto format = Format::parse(U"(10F8.0)");
  Lines lines({tenFields(1), tenFields(11)});
  std::vector<float> values(5, -1.0f);
  values.reserve(5);
  const ValuesRead got = readValues(lines, *format, 20, values.data(), 3);
  EXPECT_EQ(got.count, 20);
  EXPECT_EQ(values, (std::vector<float>{1, 2, 3, -1, -1}));
}

TEST(FormatRead, FieldsBeyondTheRecordReadAsBlank) {
  const auto format = Format::parse(U"(T79,F8.0,F8.0)");
  Lines lines({fitRecord(U"", 78) + U"12"});
  std::vector<float> values(2, -1.0f);
  ASSERT_EQ(readValues(lines, *format, 2, values.data(), 2).status, ReadStatus::Ok);
  EXPECT_EQ(values, (std::vector<float>{12, 0}));
}

}  // namespace
}  // namespace veska::records
