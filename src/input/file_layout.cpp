#include "input/file_layout.h"

#include <utility>
#include <vector>

#include "input/besancon_series.h"
#include "input/csv_cells.h"
#include "input/noaa_template.h"
#include "input/sheffield_series.h"
#include "input/tridas_series.h"

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

// The layouts recognised by more than their first line; the TRiDaS and NOAA
// tests come first, being the most particular.
FileLayout recognizeLongerLayouts(const std::vector<records::Text>& lines) {
  if (looksLikeTridas(lines)) return FileLayout::Tridas;
  if (looksLikeNoaaTemplate(lines)) return FileLayout::NoaaTemplate;
  if (looksLikeSheffield(lines)) return FileLayout::Sheffield;
  if (looksLikeBesancon(lines)) return FileLayout::Besancon;
  return FileLayout::Decadal;
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
  if (layout == FileLayout::Decadal) {
    while (seen.size() < kLayoutLookLines && lines.line(line) == records::ReadStatus::Ok)
      seen.push_back({line, lines.lastCut()});
    std::vector<records::Text> texts;
    texts.reserve(seen.size());
    for (const SourceLine& s : seen) texts.push_back(s.text);
    layout = recognizeLongerLayouts(texts);
  }
  lines.unread(std::move(seen));
  return layout;
}

std::string_view layoutLine(FileLayout layout) {
  switch (layout) {
    case FileLayout::Heidelberg: return " Reading a Heidelberg file";
    case FileLayout::Csv: return " Reading a CSV table";
    case FileLayout::Tridas: return " Reading a TRiDaS file";
    case FileLayout::NoaaTemplate: return " Reading a NOAA template file";
    case FileLayout::Sheffield: return " Reading a Sheffield file";
    case FileLayout::Besancon: return " Reading a Besan\u00e7on file";
    case FileLayout::Decadal: break;
  }
  return {};
}

}  // namespace veska::input
