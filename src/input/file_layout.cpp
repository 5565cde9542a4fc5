#include "input/file_layout.h"

#include <utility>
#include <vector>

#include "input/csv_cells.h"

namespace veska::input {
namespace {

// Blank lines looked past for a Heidelberg header; more, and the file is
// taken for what the user said it is.
constexpr int kMaxLeadingBlankLines = 1000;

bool isBlank(char32_t c) { return c == U' ' || c == U'\t' || c == U'\r'; }

// A first line of cells, one of them "Year" in any letter case: spreadsheets
// and R write "YEAR" or "Year", and not always in the first column.
bool isCsvHeader(std::u32string_view line) {
  CsvRowSplitter splitter(csvSeparator(line));
  splitter.add(line);
  const std::vector<std::u32string> cells = splitter.take();
  if (cells.size() < 2) return false;
  for (const std::u32string& cell : cells)
    if (isYearColumn(cell)) return true;
  return false;
}

}  // namespace

std::u32string_view trimmed(std::u32string_view text) {
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return text;
}

FileLayout recognizeLayout(SourceLines& lines) {
  std::vector<SourceLine> seen;
  FileLayout layout = FileLayout::Decadal;
  records::Text line;
  while (lines.line(line) == records::ReadStatus::Ok) {
    seen.push_back({line, lines.lastCut()});
    if (seen.size() == 1 && isCsvHeader(line)) {
      layout = FileLayout::Csv;
      break;
    }
    const std::u32string_view content = trimmed(line);
    if (content.empty()) {
      if (static_cast<int>(seen.size()) > kMaxLeadingBlankLines) break;
      continue;
    }
    if (content == U"HEADER:") layout = FileLayout::Heidelberg;
    break;
  }
  lines.unread(std::move(seen));
  return layout;
}

}  // namespace veska::input
