// The cells of a CSV row as RFC 4180 writes them (and Python's csv module,
// R and spreadsheets do): a cell in double quotes may hold the separator, a
// line end, and a quote written twice. A row is given line by line, since a
// quoted cell may run on over several lines.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace veska::input {

// The separator of a table: the first comma, semicolon or tab of its header
// line outside quotes; a comma when there is none.
char32_t csvSeparator(std::u32string_view header);

// The year column's name: "Year" in any letter case.
bool isYearColumn(std::u32string_view cell);

// Parses [cell (separator cell)*], where a cell is either
// blanks '"' (character | '""' | line end)* '"' blanks, or any characters
// but the separator, blanks at either end left out. Characters after a
// closing quote up to the separator are kept as written.
class CsvRowSplitter {
 public:
  explicit CsvRowSplitter(char32_t separator) : separator_(separator) {}

  // Takes the row's next line (without its line end); true when the row is
  // complete, false while a quoted cell is still open.
  bool add(std::u32string_view line);
  // The cells of the complete row, in order; the splitter is then ready for
  // the next row. An empty line is a row of one empty cell.
  std::vector<std::u32string> take();

 private:
  void endCell();
  // Blanks around a cell are no part of it; a tab is the separator in a
  // tab-separated table.
  bool isBlank(char32_t c) const;

  char32_t separator_;
  std::vector<std::u32string> cells_;
  std::u32string cell_;
  bool quoted_ = false;    // the cell began with a quote
  bool inQuotes_ = false;  // inside the quotes, so a separator is text
  std::size_t kept_ = 0;   // length of cell_ without the blanks behind it outside quotes
};

}  // namespace veska::input
