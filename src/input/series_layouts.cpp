#include "input/series_layouts.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <optional>
#include <vector>

#include "input/decadal_line.h"
#include "input/plain_numbers.h"
#include "records/record.h"
#include "records/text.h"

namespace veska::input {
namespace {

constexpr std::int32_t kHundredthsEnd = 999;
constexpr std::int32_t kThousandthsEnd = -9999;
constexpr int kDecadalWidth = 6;

LayoutText refused(std::string why) { return LayoutText{{}, std::move(why)}; }

bool givesBackExactly(const Series& series, ValueUnit unit) {
  for (float v : series.values) {
    const auto n = wholeNumberOf(v, unit);
    if (!n || std::bit_cast<std::uint32_t>(valueOf(*n, unit)) != std::bit_cast<std::uint32_t>(v)) return false;
  }
  return true;
}

// The unit the series was read in when the layout keeps it; otherwise
// hundredths when they give every value back exactly, else thousandths.
ValueUnit unitToWrite(const Series& series, std::initializer_list<ValueUnit> kept) {
  if (std::find(kept.begin(), kept.end(), series.unit) != kept.end()) return series.unit;
  return givesBackExactly(series, ValueUnit::Hundredths) ? ValueUnit::Hundredths : ValueUnit::Thousandths;
}

std::int64_t lastYearOf(const Series& series) {
  return static_cast<std::int64_t>(series.firstYear) + static_cast<std::int64_t>(series.values.size()) - 1;
}

// Why the series cannot be written at all, or nullopt.
std::optional<LayoutText> unwritable(const Series& series) {
  if (series.values.empty()) return LayoutText{{}, "The series has no rings."};
  if (lastYearOf(series) > std::numeric_limits<std::int32_t>::max())
    return LayoutText{{}, "The series would end after the year " +
                              std::to_string(std::numeric_limits<std::int32_t>::max()) + "."};
  return std::nullopt;
}

std::string yearText(std::int64_t year) { return std::to_string(year); }

// The Heidelberg and CSV readers refuse a series with a year the report
// cannot show or a value no ring can have; such a file is not written, or
// the series would be lost when it is given back.
std::optional<LayoutText> unreadableAsPlainNumbers(const Series& series, const std::string& layoutName) {
  if (!isShownYear(series.firstYear) || !isShownYear(lastYearOf(series)))
    return LayoutText{{}, "veska reads the years -9999 to 99999 only from " + layoutName +
                              "; this series would need the years " + yearText(series.firstYear) + " to " +
                              yearText(lastYearOf(series)) + "."};
  for (std::size_t k = 0; k < series.values.size(); ++k) {
    const ValueFault fault = faultOf(series.values[k]);
    if (fault == ValueFault::None) continue;
    char value[32];
    const auto end = std::to_chars(value, value + sizeof value, series.values[k]).ptr;
    return LayoutText{{}, "The ring of " +
                              yearText(static_cast<std::int64_t>(series.firstYear) + static_cast<std::int64_t>(k)) +
                              " (" + std::string(value, end) + ") " + std::string(faultText(fault)) +
                              ", which veska does not read from " + layoutName + "."};
  }
  return std::nullopt;
}

// Every value as its whole number in `unit`, or the index of the first one
// that cannot be written (`fits` says no).
template <class Fits>
std::vector<std::int32_t> wholeNumbers(const Series& series, ValueUnit unit, Fits fits, std::size_t& bad) {
  std::vector<std::int32_t> out;
  out.reserve(series.values.size());
  for (std::size_t k = 0; k < series.values.size(); ++k) {
    const auto n = wholeNumberOf(series.values[k], unit);
    if (!n || !fits(*n)) {
      bad = k;
      return {};
    }
    out.push_back(*n);
  }
  return out;
}

std::string idText(const std::u32string& id) {
  std::u32string_view kept(id);
  while (!kept.empty() && kept.back() == U' ') kept.remove_suffix(1);
  return records::toUtf8(kept);
}

// A decadal line's identifier and year; a year before -999 takes column 8
// for its sign, as the reader expects.
records::Record decadalHead(const std::u32string& id, std::int32_t year) {
  records::Record r;
  if (year < -999) return r.text(std::u32string_view(id).substr(0, 7), 7).integer(year, 5);
  return r.text(id, 8).integer(year, 4);
}

std::string decadalLines(const Series& series, const std::vector<std::int32_t>& numbers, std::int32_t marker) {
  std::string out;
  std::size_t k = 0;
  std::int32_t year = series.firstYear;
  for (bool first = true;; first = false) {
    const int room = first ? firstLineSlots(year) : 10;
    records::Record line = decadalHead(series.id, year);
    int used = 0;
    for (; used < room && k < numbers.size(); ++used) line.integer(numbers[k++], kDecadalWidth);
    if (k == numbers.size() && used < room) line.integer(marker, kDecadalWidth);
    out += line.str() + "\n";
    year = nextDecade(year);
    if (k == numbers.size()) {
      if (used == room) out += decadalHead(series.id, year).integer(marker, kDecadalWidth).str() + "\n";
      return out;
    }
  }
}

}  // namespace

LayoutText decadalText(const Series& series) {
  if (auto refusal = unwritable(series)) return *refusal;
  if (series.id.size() >= 8 && series.id[7] == U'-')
    return refused("The identifier ends in \"-\" in column 8, which the decadal layout reads as the sign of the "
                   "year. Save the series as a Heidelberg file (.fh) or a CSV table (.csv) instead.");
  // Every line's year must fit its columns, the end marker's own line too.
  const std::int64_t lastLine = lastYearOf(series) + 1;
  if (series.firstYear < -9999 || lastLine > 9999)
    return refused("The decadal layout holds the years -9999 to 9999 only; this series would need the years " +
                   yearText(series.firstYear) + " to " + yearText(lastYearOf(series)) + ".");
  const auto fits = [](std::int32_t n) {
    return n >= -99999 && n <= 999999 && n != kHundredthsEnd && n != kThousandthsEnd;
  };
  // Hundredths that hold a marker's number (a Heidelberg ring of 9.99 mm)
  // go on in thousandths, which say them as nearly; never the other way,
  // which would round every ring to the coarser unit.
  const ValueUnit preferred = unitToWrite(series, {ValueUnit::Hundredths, ValueUnit::Thousandths});
  std::size_t bad = 0;
  for (ValueUnit unit : {preferred, ValueUnit::Thousandths}) {
    std::size_t unused = 0;
    const auto numbers = wholeNumbers(series, unit, fits, unit == preferred ? bad : unused);
    if (numbers.empty()) continue;
    const std::int32_t marker = unit == ValueUnit::Hundredths ? kHundredthsEnd : kThousandthsEnd;
    return LayoutText{decadalLines(series, numbers, marker), {}};
  }
  char value[32];
  const auto end = std::to_chars(value, value + sizeof value, series.values[bad]).ptr;
  return refused("The ring of " + yearText(static_cast<std::int64_t>(series.firstYear) + static_cast<std::int64_t>(bad)) +
                 " (" + std::string(value, end) +
                 " mm) would read as an end marker, or does not fit its 6 columns, in the decadal layout. Save "
                 "the series as a Heidelberg file (.fh) or a CSV table (.csv) instead.");
}

LayoutText heidelbergText(const Series& series) {
  if (auto refusal = unwritable(series)) return *refusal;
  if (auto refusal = unreadableAsPlainNumbers(series, "a Heidelberg file")) return *refusal;
  const std::string id = idText(series.id);
  if (id.empty())
    return refused("The Heidelberg layout needs an identifier (KeyCode), and this series has none. Save it as "
                   "a decadal file (.rwl) or a CSV table (.csv) instead.");
  const ValueUnit unit = unitToWrite(
      series, {ValueUnit::Hundredths, ValueUnit::Thousandths, ValueUnit::Tenths, ValueUnit::Millimetres});
  std::size_t bad = 0;
  const auto numbers = wholeNumbers(series, unit, [](std::int32_t) { return true; }, bad);
  if (numbers.empty()) return refused("A value of the series is too large for the Heidelberg layout.");
  const char* unitName = unit == ValueUnit::Tenths        ? "1/10 mm"
                         : unit == ValueUnit::Millimetres ? "mm"
                         : unit == ValueUnit::Hundredths  ? "1/100 mm"
                                                          : "1/1000 mm";
  std::string out = "HEADER:\nKeyCode=" + id + "\nDateBegin=" + yearText(series.firstYear) +
                    "\nDateEnd=" + yearText(lastYearOf(series)) + "\nLength=" + std::to_string(numbers.size()) +
                    "\nUnit=" + unitName + "\nDataFormat=Tree\nDATA:Tree\n";
  for (std::size_t k = 0; k < numbers.size(); ++k) {
    const std::string n = std::to_string(numbers[k]);
    // Right-aligned in 6 columns, and never run into the number before.
    out += std::string(n.size() < kDecadalWidth ? kDecadalWidth - n.size() : 1, ' ') + n;
    if (k % 10 == 9 || k + 1 == numbers.size()) out += "\n";
  }
  return LayoutText{out, {}};
}

LayoutText csvText(const Series& series) {
  if (auto refusal = unwritable(series)) return *refusal;
  if (auto refusal = unreadableAsPlainNumbers(series, "a CSV table")) return *refusal;
  // The identifier is quoted, so that blanks before it stay; the separator is
  // one it does not hold.
  const std::string id = idText(series.id);
  char separator = 0;
  for (char candidate : {',', ';', '\t'}) {
    if (id.find(candidate) == std::string::npos) {
      separator = candidate;
      break;
    }
  }
  if (separator == 0)
    return refused("The identifier holds a comma, a semicolon and a tab, so no CSV table can hold it. Save the "
                   "series as a decadal file (.rwl) or a Heidelberg file (.fh) instead.");
  std::string out = std::string("Year") + separator + "\"" + id + "\"\n";
  char value[64];
  for (std::size_t k = 0; k < series.values.size(); ++k) {
    const auto end = std::to_chars(value, value + sizeof value, series.values[k], std::chars_format::fixed).ptr;
    out += yearText(static_cast<std::int64_t>(series.firstYear) + static_cast<std::int64_t>(k)) + separator +
           std::string(value, end) + "\n";
  }
  return LayoutText{out, {}};
}

LayoutText layoutText(const Series& series, SeriesLayout layout) {
  switch (layout) {
    case SeriesLayout::Heidelberg:
      return heidelbergText(series);
    case SeriesLayout::Csv:
      return csvText(series);
    case SeriesLayout::Decadal:
      break;
  }
  return decadalText(series);
}

}  // namespace veska::input
