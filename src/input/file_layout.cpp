#include "input/file_layout.h"

#include <utility>
#include <vector>

namespace veska::input {
namespace {

// Blank lines looked past for a Heidelberg header; more, and the file is
// taken for what the user said it is.
constexpr int kMaxLeadingBlankLines = 1000;

bool isBlank(char32_t c) { return c == U' ' || c == U'\t' || c == U'\r'; }

bool isCsvHeader(std::u32string_view line) {
  std::size_t k = 0;
  const bool quoted = !line.empty() && line[0] == U'"';
  if (quoted) k = 1;
  const std::u32string_view rest = line.substr(k);
  if (!rest.starts_with(U"Year") && !rest.starts_with(U"year")) return false;
  k += 4;
  if (quoted) {
    if (k >= line.size() || line[k] != U'"') return false;
    ++k;
  }
  while (k < line.size() && line[k] == U' ') ++k;
  return k < line.size() && (line[k] == U',' || line[k] == U';' || line[k] == U'\t');
}

}  // namespace

std::u32string_view trimmed(std::u32string_view text) {
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return text;
}

FileLayout recognizeLayout(SourceLines& lines) {
  std::vector<records::Text> seen;
  FileLayout layout = FileLayout::Decadal;
  records::Text line;
  while (lines.line(line) == records::ReadStatus::Ok) {
    seen.push_back(line);
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
