#include "input/csv_table.h"

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

#include "input/csv_cells.h"
#include "input/file_layout.h"
#include "input/plain_numbers.h"
#include "records/record.h"

namespace veska::input {
namespace {

struct Column {
  std::size_t cell = 0;  // its place in a row
  SeriesRead read;
  bool started = false;
  std::int32_t missingAfter = 0;  // empty cells since the last value
  ValueFault fault = ValueFault::None;  // the first value no ring can have
};

CsvTable refused(std::string_view what, std::int64_t line) {
  CsvTable table;
  table.stop = ReadStop{ReadStop::Kind::TableRefused, records::Record()
                                                          .column(5)
                                                          .text("*** CSV table, row ")
                                                          .text(std::to_string(line))
                                                          .text(": ")
                                                          .text(what)
                                                          .text(": file not read ***")
                                                          .str()};
  return table;
}

// One row of the table: its cells, and the number of the line it begins on.
struct Row {
  std::vector<std::u32string> cells;
  std::int64_t line = 0;
  bool blank = false;  // a line of blanks, between rows: no row at all
};

enum class RowStatus { Ok, End, QuoteOpen, TooLong };

// The next row, over as many lines as its quoted cells run. A line longer
// than the source keeps would be read cut, its later cells lost or a number
// shortened, so it is refused.
RowStatus nextRow(SourceLines& lines, CsvRowSplitter& splitter, std::int64_t& lineNumber, Row& row) {
  records::Text line;
  if (lines.line(line) != records::ReadStatus::Ok) return RowStatus::End;
  row.line = ++lineNumber;
  row.blank = trimmed(line).empty();
  for (bool complete = false; !complete;) {
    if (lines.lastCut()) return RowStatus::TooLong;
    complete = splitter.add(line);
    if (complete) break;
    if (lines.line(line) != records::ReadStatus::Ok) return RowStatus::QuoteOpen;
    ++lineNumber;
  }
  row.cells = splitter.take();
  return RowStatus::Ok;
}

std::optional<CsvTable> refusedRow(RowStatus status, const Row& row) {
  if (status == RowStatus::QuoteOpen) return refused("a quoted cell is not closed", row.line);
  if (status == RowStatus::TooLong) return refused("the row is longer than 64 KiB", row.line);
  return std::nullopt;
}

// A series' name as written, a line end inside a quoted name read as a blank
// so that the report keeps one line per series.
std::u32string nameOf(std::u32string cell) {
  for (char32_t& c : cell)
    if (c == U'\n') c = U' ';
  return cell;
}

// Every cell of the header but the year's is a series, up to one more than
// the limit: enough for the loader to report it.
std::vector<Column> columnsOf(std::vector<std::u32string>& names, std::size_t yearCell) {
  std::vector<Column> columns;
  for (std::size_t k = 0; k < names.size() && columns.size() <= static_cast<std::size_t>(kMaxSeries); ++k) {
    if (k == yearCell) continue;
    Column c;
    c.cell = k;
    c.read.fullId = nameOf(std::move(names[k]));
    c.read.series.id = records::fitRecord(std::u32string_view(c.read.fullId).substr(0, 8), 8);
    columns.push_back(std::move(c));
  }
  return columns;
}

void append(Column& c, float value) {
  if (c.read.series.values.size() < static_cast<std::size_t>(kMaxLength)) c.read.series.values.push_back(value);
  if (c.read.length < std::numeric_limits<std::int32_t>::max()) ++c.read.length;
}

// Takes a row's cell for the column; false when the cell is no number. A
// series runs from its first number to its last; an empty or NA cell between
// them, like a value below 0, is a ring that could not be measured (R writes
// NA, other programs leave the cell empty or write NaN).
bool take(Column& c, std::u32string_view cell, bool decimalComma, std::int32_t year) {
  if (isMissingCell(cell)) {
    if (c.started) ++c.missingAfter;
    return true;
  }
  const auto value = readDecimalNumber(cell, decimalComma);
  if (!value) return false;
  const bool missing = *value < 0.0f;
  if (c.fault == ValueFault::None && !missing) c.fault = faultOf(*value);
  if (!c.started) {
    c.started = true;
    c.read.series.firstYear = year;
  }
  for (; c.missingAfter > 0; --c.missingAfter) append(c, kMissingValue);
  append(c, missing ? kMissingValue : *value);
  return true;
}

Notice notLoaded(const Column& c, std::string_view why) {
  return {Notice::Kind::Warning, records::Record()
                                     .column(5)
                                     .text("*** Series ")
                                     .text(c.read.series.id, 8)
                                     .text(" ")
                                     .text(why)
                                     .text(": not loaded ***")
                                     .str()};
}

// The columns read, each a series, a warning in its place when it cannot be.
CsvTable tableOf(std::vector<Column>& columns) {
  CsvTable table;
  for (Column& c : columns) {
    if (c.fault != ValueFault::None) {
      table.notices.push_back(notLoaded(c, faultText(c.fault)));
    } else if (c.started) {
      table.series.push_back(std::move(c.read));
    }
  }
  return table;
}

// A row's cells beyond the header's are a fault unless empty: a comma table
// written with decimal commas splits 0,57 into 0 and 57.
bool hasExtraCells(const Row& row, std::size_t headerCells) {
  for (std::size_t k = headerCells; k < row.cells.size(); ++k)
    if (!row.cells[k].empty()) return true;
  return false;
}

}  // namespace

CsvTable readCsvTable(SourceLines& lines) {
  records::Text first;
  if (lines.line(first) != records::ReadStatus::Ok) return {};
  lines.unreadLast();
  const char32_t separator = csvSeparator(first);
  CsvRowSplitter splitter(separator);
  std::int64_t lineNumber = 0;
  Row header;
  if (const auto stop = refusedRow(nextRow(lines, splitter, lineNumber, header), header)) return *stop;
  std::size_t yearCell = header.cells.size();
  for (std::size_t k = 0; k < header.cells.size(); ++k) {
    if (!isYearColumn(header.cells[k])) continue;
    if (yearCell != header.cells.size()) return refused("more than one Year column", header.line);
    yearCell = k;
  }
  const std::size_t headerCells = header.cells.size();
  std::vector<Column> columns = columnsOf(header.cells, yearCell);
  std::int32_t firstYear = 0;
  std::int64_t years = 0;
  Row row;
  RowStatus status;
  while ((status = nextRow(lines, splitter, lineNumber, row)) == RowStatus::Ok) {
    if (row.blank && row.cells.size() == 1) continue;
    if (hasExtraCells(row, headerCells)) return refused("the row has more cells than the header", row.line);
    const auto year = readWholeNumber(yearCell < row.cells.size() ? row.cells[yearCell] : U"");
    if (!year) return refused("the year is no whole number", row.line);
    if (!isShownYear(*year)) return refused("the year is outside -9999 to 99999", row.line);
    if (years == 0) firstYear = *year;
    else if (static_cast<std::int64_t>(*year) != static_cast<std::int64_t>(firstYear) + years)
      return refused("the years do not rise by one", row.line);
    for (Column& c : columns) {
      const std::u32string_view cell = c.cell < row.cells.size() ? row.cells[c.cell] : std::u32string_view();
      if (!take(c, cell, separator == U';', *year)) return refused("a value is no decimal number", row.line);
    }
    ++years;
  }
  if (const auto stop = refusedRow(status, row)) return *stop;
  if (lines.failed()) return {};
  return tableOf(columns);
}

}  // namespace veska::input
