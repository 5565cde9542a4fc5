#include "input/csv_cells.h"

#include <utility>

namespace veska::input {

char32_t csvSeparator(std::u32string_view header) {
  bool inQuotes = false;
  for (char32_t c : header) {
    if (c == U'"') inQuotes = !inQuotes;
    else if (!inQuotes && (c == U',' || c == U';' || c == U'\t')) return c;
  }
  return U',';
}

bool isYearColumn(std::u32string_view cell) {
  constexpr std::u32string_view kYear = U"year";
  if (cell.size() != kYear.size()) return false;
  for (std::size_t k = 0; k < cell.size(); ++k) {
    const char32_t c = cell[k] >= U'A' && cell[k] <= U'Z' ? cell[k] + (U'a' - U'A') : cell[k];
    if (c != kYear[k]) return false;
  }
  return true;
}

bool CsvRowSplitter::isBlank(char32_t c) const {
  return c == U' ' || c == U'\r' || (c == U'\t' && separator_ != U'\t');
}

bool CsvRowSplitter::add(std::u32string_view line) {
  // A line that goes on with a quoted cell stood behind a line end of it.
  if (inQuotes_) cell_ += U'\n';
  for (std::size_t k = 0; k < line.size(); ++k) {
    const char32_t c = line[k];
    if (inQuotes_) {
      if (c != U'"') {
        cell_ += c;
      } else if (k + 1 < line.size() && line[k + 1] == U'"') {
        cell_ += U'"';  // a quote written twice
        ++k;
      } else {
        inQuotes_ = false;
        kept_ = cell_.size();
      }
    } else if (c == separator_) {
      endCell();
    } else if (c == U'"' && !quoted_ && cell_.empty()) {
      quoted_ = inQuotes_ = true;
    } else if (!isBlank(c)) {
      cell_ += c;
      kept_ = cell_.size();
    } else if (!cell_.empty() && !quoted_) {
      cell_ += c;  // a blank inside an unquoted cell, or the start of its trailing ones
    }
  }
  return !inQuotes_;
}

void CsvRowSplitter::endCell() {
  cell_.resize(kept_);
  cells_.push_back(std::move(cell_));
  cell_.clear();
  quoted_ = false;
  kept_ = 0;
}

std::vector<std::u32string> CsvRowSplitter::take() {
  endCell();
  inQuotes_ = false;
  return std::exchange(cells_, {});
}

}  // namespace veska::input
