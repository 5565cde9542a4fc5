#include "hosts/window/model/text_selection.h"

#include <algorithm>
#include <cstdlib>

namespace veska::window {

void TextSelection::drag(int row, int column, std::optional<int> lineLength) {
  if (!active_) {
    if (!lineLength || *lineLength < column) return;  // no line at all, or beyond it
    active_ = true;
    row_ = row;
    start_ = end_ = column;
    return;
  }
  if (row != row_) return;
  if (start_ > column) {
    start_ = column;
  } else if (end_ < column) {
    end_ = std::min(column, lineLength.value_or(column));
  } else if (std::abs(column - start_) < std::abs(column - end_)) {
    start_ = column;  // within the span: the nearer edge follows the pointer
  } else {
    end_ = column;
  }
}

bool TextSelection::selectWord(std::u32string_view line, int row, int column) {
  active_ = false;
  if (column <= 0 || static_cast<std::size_t>(column - 1) >= line.size()) return false;
  const std::size_t at = static_cast<std::size_t>(column - 1);
  if (line[at] == U' ') return false;
  const std::size_t blankBefore = line.find_last_of(U' ', at);
  const std::size_t blankAfter = line.find(U' ', at);
  active_ = true;
  row_ = row;
  start_ = blankBefore == std::u32string_view::npos ? 0 : static_cast<int>(blankBefore) + 1;
  end_ = blankAfter == std::u32string_view::npos ? static_cast<int>(line.size()) : static_cast<int>(blankAfter);
  return true;
}

}  // namespace veska::window
