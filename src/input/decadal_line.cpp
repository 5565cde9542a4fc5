#include "input/decadal_line.h"

#include <string_view>

#include "records/numeric_input.h"

namespace veska::input {
namespace {

struct Columns {
  std::size_t idWidth;     // without the minus sign of a wide year
  std::size_t yearStart;   // 0-based
  std::size_t yearWidth;
};

// The variant is chosen by the column just before the usual year field: a
// minus sign there belongs to the year, so an 8-character ring-width
// identifier whose last character is "-" loses that character.
Columns columnsFor(const records::Text& line, std::size_t idWidth) {
  if (line[idWidth - 1] == U'-') return {idWidth - 1, idWidth - 1, 5};
  return {idWidth, idWidth, 4};
}

// Blanks and tabs are what a numeric field ignores; a column holding either
// holds nothing.
bool isBlank(char32_t c) { return c == U' ' || c == U'\t'; }

bool hasText(const records::Text& line, std::size_t start, std::size_t width) {
  for (std::size_t k = start; k < start + width; ++k)
    if (!isBlank(line[k])) return true;
  return false;
}

std::optional<std::int32_t> field(const records::Text& line, std::size_t start, std::size_t width) {
  return records::readIntegerField(std::u32string_view(line).substr(start, width));
}

}  // namespace

std::optional<DecadalLine> readDecadalLine(const records::Text& record, Layout layout) {
  const records::Text line = records::fitRecord(record, 80);
  const bool rings = layout == Layout::RingWidths;
  const Columns c = columnsFor(line, rings ? 8 : 6);
  DecadalLine out;
  out.id = records::fitRecord(std::u32string_view(line).substr(0, c.idWidth), 8);
  const auto year = field(line, c.yearStart, c.yearWidth);
  if (!year) return std::nullopt;
  out.year = *year;
  for (std::size_t k = 0; k < 10; ++k) {
    // Ring widths: 13-18, 19-24 ... 67-72. Indices: pair k+1 holds its value
    // in 11+7k .. 14+7k and its sample count in 15+7k .. 17+7k.
    const std::size_t start = rings ? 12 + 6 * k : 10 + 7 * k;
    const auto value = field(line, start, rings ? 6 : 4);
    if (!value) return std::nullopt;
    if (!rings && !field(line, start + 4, 3)) return std::nullopt;
    out.slots[k] = *value;
    out.filled[k] = hasText(line, start, rings ? 6 : 4);
  }
  if (rings) out.eleventh = field(line, 72, 6);
  for (std::size_t k = line.size(); k > 0; --k) {
    if (!isBlank(line[k - 1])) {
      out.lastColumn = k;
      break;
    }
  }
  return out;
}

int firstLineSlots(std::int32_t year) {
  const int rem = year % 10;  // truncates toward zero
  if (year >= 0) return 10 - rem;
  return rem == 0 ? 10 : -rem;
}

std::int32_t nextDecade(std::int32_t year) { return year + firstLineSlots(year); }

bool DecadalLine::allFilled() const {
  for (bool f : filled)
    if (!f) return false;
  return true;
}

}  // namespace veska::input
