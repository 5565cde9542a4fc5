#include "input/csv_table.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

#include "records/numeric_input.h"
#include "records/record.h"
#include "input/file_layout.h"

namespace veska::input {
namespace {

struct Column {
  SeriesRead read;
  bool started = false;
  std::int32_t missingAfter = 0;  // empty cells since the last value
  bool gap = false;
};

char32_t separatorOf(std::u32string_view header) {
  for (char32_t c : header)
    if (c == U',' || c == U';' || c == U'\t') return c;
  return U',';
}

std::vector<std::u32string_view> split(std::u32string_view line, char32_t separator) {
  std::vector<std::u32string_view> cells;
  for (;;) {
    const std::size_t at = line.find(separator);
    std::u32string_view cell = trimmed(line.substr(0, at));
    if (cell.size() >= 2 && cell.front() == U'"' && cell.back() == U'"') cell = cell.substr(1, cell.size() - 2);
    cells.push_back(cell);
    if (at == std::u32string_view::npos) return cells;
    line.remove_prefix(at + 1);
  }
}

// R writes a missing value as NA, other programs leave the cell empty or
// write NaN.
bool isMissing(std::u32string_view cell) {
  return cell.empty() || cell == U"NA" || cell == U"na" || cell == U"NaN" || cell == U"nan";
}

std::optional<float> decimal(std::u32string_view cell, char32_t separator) {
  std::string ascii;
  for (char32_t c : cell) {
    if (c > 0x7F) return std::nullopt;
    ascii += (c == U',' && separator == U';') ? '.' : static_cast<char>(c);
  }
  if (!ascii.empty() && ascii[0] == '+') ascii.erase(0, 1);
  float value = 0;
  const auto [end, ec] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
  // An infinite width is no measurement, and it would spoil every statistic
  // of its series.
  if (ec != std::errc() || end != ascii.data() + ascii.size() || !std::isfinite(value)) return std::nullopt;
  return value;
}

CsvTable refused(std::string_view what, std::int64_t row) {
  CsvTable table;
  table.stop = ReadStop{ReadStop::Kind::TableRefused, records::Record()
                                                          .column(5)
                                                          .text("*** CSV table, row ")
                                                          .text(std::to_string(row))
                                                          .text(": ")
                                                          .text(what)
                                                          .text(": file not read ***")
                                                          .str()};
  return table;
}

std::vector<Column> columnsOf(const records::Text& header, char32_t separator) {
  std::vector<Column> columns;
  const auto names = split(header, separator);
  for (std::size_t k = 1; k < names.size() && columns.size() <= static_cast<std::size_t>(kMaxSeries); ++k) {
    Column c;
    c.read.series.id = records::fitRecord(names[k].substr(0, 8), 8);
    columns.push_back(std::move(c));
  }
  return columns;
}

// Takes a row's cell for the column; false when the cell is no number.
bool take(Column& c, std::u32string_view cell, char32_t separator, std::int32_t year) {
  if (isMissing(cell)) {
    if (c.started) ++c.missingAfter;
    return true;
  }
  const auto value = decimal(cell, separator);
  if (!value) return false;
  if (!c.started) {
    c.started = true;
    c.read.series.firstYear = year;
  }
  if (c.missingAfter > 0) c.gap = true;
  c.missingAfter = 0;
  if (c.read.series.values.size() < static_cast<std::size_t>(kMaxLength)) c.read.series.values.push_back(*value);
  if (c.read.length < std::numeric_limits<std::int32_t>::max()) ++c.read.length;
  return true;
}

// The columns read, each a series, a warning in its place when it has a gap.
CsvTable tableOf(std::vector<Column>& columns) {
  CsvTable table;
  for (Column& c : columns) {
    if (c.gap) {
      // Values on both sides of a gap are no one series: loading them as one
      // would put every value after the gap in the wrong year.
      table.notices.push_back({Notice::Kind::Warning, records::Record()
                                                          .column(5)
                                                          .text("*** Series ")
                                                          .text(c.read.series.id, 8)
                                                          .text(" has a gap between its values: not loaded ***")
                                                          .str()});
      continue;
    }
    if (c.started) table.series.push_back(std::move(c.read));
  }
  return table;
}

}  // namespace

CsvTable readCsvTable(SourceLines& lines) {
  records::Text line;
  if (lines.line(line) != records::ReadStatus::Ok) return {};
  const char32_t separator = separatorOf(line);
  std::vector<Column> columns = columnsOf(line, separator);
  std::int64_t row = 1;
  std::int32_t firstYear = 0;
  std::int64_t years = 0;
  while (lines.line(line) == records::ReadStatus::Ok) {
    ++row;
    if (trimmed(line).empty()) continue;
    const auto cells = split(line, separator);
    const auto year = records::readIntegerField(cells[0]);
    if (cells[0].empty() || !year) return refused("the year is no whole number", row);
    if (years == 0) firstYear = *year;
    else if (static_cast<std::int64_t>(*year) != static_cast<std::int64_t>(firstYear) + years)
      return refused("the years do not rise by one", row);
    for (std::size_t k = 0; k < columns.size(); ++k) {
      const std::u32string_view cell = k + 1 < cells.size() ? cells[k + 1] : std::u32string_view();
      if (!take(columns[k], cell, separator, *year)) return refused("a value is no decimal number", row);
    }
    ++years;
  }
  if (lines.failed()) return {};
  return tableOf(columns);
}

}  // namespace veska::input
