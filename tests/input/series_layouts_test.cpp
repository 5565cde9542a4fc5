// A series saved in each layout reads back as the same series: identifier,
// years, and values bit for bit in the unit it was read in wherever the
// layout has that unit; otherwise as near as the layout's unit allows, or
// refused with a reason when the layout cannot hold it.
#include "input/series_layouts.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>

#include "input/series_file.h"
#include "input_fixture.h"

namespace veska::input::testing {
namespace {

Series seriesOf(const std::string& id, std::int32_t first, std::vector<std::int32_t> numbers, ValueUnit unit) {
  Series s;
  s.id = records::fitRecord(records::fromUtf8(id), 8);
  s.firstYear = first;
  s.unit = unit;
  for (std::int32_t n : numbers) s.values.push_back(valueOf(n, unit));
  return s;
}

Series decimals(const std::string& id, std::int32_t first, std::vector<float> values) {
  Series s;
  s.id = records::fitRecord(records::fromUtf8(id), 8);
  s.firstYear = first;
  s.values = std::move(values);
  return s;
}

// Whole numbers 1000 to 4999, none of them an end marker.
std::vector<std::int32_t> ramp(int count) {
  std::vector<std::int32_t> out;
  for (int k = 0; k < count; ++k) out.push_back(1000 + (k * 37) % 4000);
  return out;
}

class SeriesLayoutsTest : public InputTest {
 protected:
  // The text as a data file, read back whole (answer M, as for any series).
  SeriesTable readBack(const std::string& text) {
    openData(text);
    return load(Layout::RingWidths);
  }
};

struct Row {
  const char* what;
  Series series;
  SeriesLayout layout;
  ValueUnit unitReadBack;
};

TEST_F(SeriesLayoutsTest, EveryLayoutGivesTheSeriesBackBitForBit) {
  const std::vector<std::int32_t> ten = {123, 45, 1, 0, 99999, 998, 1000, 7, 250, 300};
  const Row rows[] = {
      {"hundredths, first decade short", seriesOf("OAK01", 1985, {123, 145, 118, 97, 110, 132, 121}, ValueUnit::Hundredths),
       SeriesLayout::Decadal, ValueUnit::Hundredths},
      {"hundredths ending on a full decade: the marker on a line of its own",
       seriesOf("OAK02", 1990, ten, ValueUnit::Hundredths), SeriesLayout::Decadal, ValueUnit::Hundredths},
      {"thousandths across year 0, from before -999", seriesOf("BCE-T01", -1003, ramp(1013), ValueUnit::Thousandths),
       SeriesLayout::Decadal, ValueUnit::Thousandths},
      {"one ring", seriesOf("ONE", 7, {55}, ValueUnit::Hundredths), SeriesLayout::Decadal, ValueUnit::Hundredths},
      {"decimals that are hundredths exactly",
       decimals("CSV01", 1801, {valueOf(1, ValueUnit::Hundredths), valueOf(150, ValueUnit::Hundredths)}),
       SeriesLayout::Decadal, ValueUnit::Hundredths},
      {"Heidelberg hundredths", seriesOf("K1_091", 1158, ten, ValueUnit::Hundredths), SeriesLayout::Heidelberg,
       ValueUnit::Hundredths},
      {"Heidelberg thousandths, negative years", seriesOf("  LEAD", -20, ten, ValueUnit::Thousandths),
       SeriesLayout::Heidelberg, ValueUnit::Thousandths},
      {"Heidelberg tenths", seriesOf("T", 1, ten, ValueUnit::Tenths), SeriesLayout::Heidelberg, ValueUnit::Tenths},
      {"Heidelberg whole mm, a number wider than 6 columns",
       seriesOf("MM", 1, {1, 1000000, 0, 4}, ValueUnit::Millimetres), SeriesLayout::Heidelberg,
       ValueUnit::Millimetres},
      {"CSV of hundredths", seriesOf("OAK01", 1985, ten, ValueUnit::Hundredths), SeriesLayout::Csv,
       ValueUnit::Decimal},
      {"CSV of awkward decimals, an identifier with a comma and a leading blank",
       decimals(" A,B", -3, {0.1f, 1e-7f, 123456.78f, 2.5f, 999999.94f, 0.0f}), SeriesLayout::Csv,
       ValueUnit::Decimal},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    const LayoutText text = layoutText(row.series, row.layout);
    ASSERT_TRUE(text.ok()) << text.refusal;
    SCOPED_TRACE(text.text.substr(0, 400));
    const SeriesTable back = readBack(text.text);
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(utf8(back[0].id), utf8(row.series.id));
    EXPECT_EQ(back[0].firstYear, row.series.firstYear);
    EXPECT_EQ(back[0].unit, row.unitReadBack);
    ASSERT_EQ(back[0].values.size(), row.series.values.size());
    for (std::size_t k = 0; k < back[0].values.size(); ++k)
      ASSERT_EQ(std::bit_cast<std::uint32_t>(back[0].values[k]), std::bit_cast<std::uint32_t>(row.series.values[k]))
          << "ring " << k << ": " << back[0].values[k] << " for " << row.series.values[k];
    // No warning about reading; a short series is only told it will not be matched.
    for (const std::string& line : consoleLines()) {
      if (line.find("not matched") != std::string::npos) continue;
      EXPECT_EQ(line.find("***"), std::string::npos) << line;
    }
  }
}

// Values the decadal layout cannot say exactly come back as near as its
// finer unit allows: indices, decimals, and hundredths whose whole number
// would be the end marker 999.
TEST_F(SeriesLayoutsTest, DecadalFileRoundsWhatItCannotSayExactly) {
  const Row rows[] = {
      {"indices", seriesOf("CHRON", 1386, {729, 856, 1012, 2848}, ValueUnit::IndexThousandths), SeriesLayout::Decadal,
       ValueUnit::Thousandths},
      {"decimals of four digits", decimals("F8.3", 1801, {1.2345f, 0.0004f, 2.5f}), SeriesLayout::Decadal,
       ValueUnit::Thousandths},
      {"a Heidelberg ring of 9.99 mm in hundredths", seriesOf("K1", 1200, {250, 999, 1}, ValueUnit::Hundredths),
       SeriesLayout::Decadal, ValueUnit::Thousandths},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    const LayoutText text = layoutText(row.series, row.layout);
    ASSERT_TRUE(text.ok()) << text.refusal;
    const SeriesTable back = readBack(text.text);
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back[0].unit, row.unitReadBack);
    ASSERT_EQ(back[0].values.size(), row.series.values.size());
    for (std::size_t k = 0; k < back[0].values.size(); ++k)
      EXPECT_NEAR(back[0].values[k], row.series.values[k], 0.0005f + 1e-6f) << "ring " << k;
  }
}

TEST(SeriesLayouts, RefusesWhatTheLayoutCannotHold) {
  struct Refused {
    const char* what;
    Series series;
    SeriesLayout layout;
    const char* reasonHolds;
  };
  const Refused rows[] = {
      {"a ring of 0.999 mm in thousandths reads as the end marker",
       seriesOf("T01", 1900, {1200, 999, 800}, ValueUnit::Thousandths), SeriesLayout::Decadal, "ring of 1901"},
      {"a ring too wide for 6 columns", seriesOf("W", 1900, {1, 1000000}, ValueUnit::Hundredths),
       SeriesLayout::Decadal, "6 columns"},
      {"an identifier ending in - in column 8", seriesOf("ABCDEFG-", 1900, {1, 2}, ValueUnit::Hundredths),
       SeriesLayout::Decadal, "\"-\""},
      {"years past 9999", seriesOf("LATE", 9995, std::vector<std::int32_t>(10, 5), ValueUnit::Hundredths),
       SeriesLayout::Decadal, "9995 to 10004"},
      {"no identifier for a KeyCode", seriesOf("", 1900, {1, 2}, ValueUnit::Hundredths), SeriesLayout::Heidelberg,
       "KeyCode"},
      {"every CSV separator in the identifier", seriesOf("a,b;c\td", 1900, {1}, ValueUnit::Hundredths),
       SeriesLayout::Csv, "comma"},
      {"no rings", seriesOf("E", 1900, {}, ValueUnit::Hundredths), SeriesLayout::Csv, "no rings"},
      // What the Heidelberg and CSV readers refuse is never written for them.
      {"a negative ring in Heidelberg", seriesOf("NEG", 1900, {5, -3}, ValueUnit::Hundredths),
       SeriesLayout::Heidelberg, "ring of 1901 (-0.03) has a negative value"},
      {"a ring of over a kilometre in CSV", decimals("BIG", 1900, {1.0f, 2e6f}), SeriesLayout::Csv,
       "above 1000000 mm"},
      {"years past 99999 in CSV", seriesOf("LATER", 99999, {1, 2}, ValueUnit::Hundredths), SeriesLayout::Csv,
       "99999 to 100000"},
  };
  for (const Refused& row : rows) {
    SCOPED_TRACE(row.what);
    const LayoutText text = layoutText(row.series, row.layout);
    EXPECT_FALSE(text.ok());
    EXPECT_NE(text.refusal.find(row.reasonHolds), std::string::npos) << text.refusal;
  }
}

}  // namespace
}  // namespace veska::input::testing
