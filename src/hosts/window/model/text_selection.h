// The selected span of a text window: one run of columns on one row, made by
// dragging the mouse or by double-clicking a word.
#pragma once

#include <optional>
#include <string_view>

namespace veska::window {

class TextSelection {
 public:
  bool active() const { return active_; }
  int row() const { return row_; }
  int start() const { return start_; }  // first selected column, from 0
  int end() const { return end_; }      // the column just after the span
  // Active and at least one character long: something to cut or copy.
  bool hasSpan() const { return active_ && start_ < end_; }

  void clear() { active_ = false; }
  // The pointer dragged to `column` of `row`, whose line is `lineLength`
  // characters long (none when the row holds no line).
  void drag(int row, int column, std::optional<int> lineLength);
  // Double-click in `column` of `row`: the word holding the character just
  // left of that cell. Whether a word was selected.
  bool selectWord(std::u32string_view line, int row, int column);

 private:
  bool active_ = false;
  int row_ = 0;
  int start_ = 0;
  int end_ = 0;
};

}  // namespace veska::window
