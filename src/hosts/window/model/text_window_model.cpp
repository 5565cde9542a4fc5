#include "hosts/window/model/text_window_model.h"

#include <algorithm>

#include "hosts/window/model/output_decoder.h"
#include "records/text.h"

namespace veska::window {

void TextWindowModel::setCellSize(int charWidth, int lineHeight) {
  charWidth_ = std::max(1, charWidth);
  lineHeight_ = std::max(1, lineHeight);
}

void TextWindowModel::resize(int widthPixels, int heightPixels) {
  scroll_.setVisible(std::max(0, heightPixels) / lineHeight_, std::max(0, widthPixels) / charWidth_);
  updateScrollBars();
}

void TextWindowModel::showSource(std::shared_ptr<const LineSource> source) {
  source_ = std::move(source);
  lines_.clear();
  deselect();
  scroll_.scrollVertical(ScrollRequest::ToStart, 0);
  updateScrollBars();
  modified_ = false;
}

const std::u32string& TextWindowModel::line(int row) const {
  return source_ ? source_->line(row) : lines_[static_cast<std::size_t>(row)];
}

void TextWindowModel::appendOutput(std::string_view bytes) {
  if (source_) return;
  if (!bytes.empty() && bytes.back() == '\n') bytes.remove_suffix(1);
  for (const char32_t c : decodeOutput(bytes)) character(c);
  inputStart_ = caretColumn_;
  modified_ = true;
}

void TextWindowModel::deselect() {
  selection_.clear();
  editCommandsEnabled_ = false;
}

void TextWindowModel::character(char32_t c) {
  if (source_) return;
  deselect();
  switch (c) {
    case kBackspace: backspace(); break;
    case kTab: tab(); break;
    case kLineEnd: lineEnd(); break;
    default: ordinaryCharacter(c); break;
  }
  modified_ = true;
}

void TextWindowModel::ordinaryCharacter(char32_t c) {
  scroll_.scrollVertical(ScrollRequest::ToEnd, 0);
  if (pending_) {
    startNewLine();
    pending_ = false;
  }
  insertBlank(caretColumn_);
  lastLine()[static_cast<std::size_t>(caretColumn_)] = c == kLineFeed ? U' ' : c;
  ++caretColumn_;
  widest_ = std::max(widest_, caretColumn_);
  if (caretColumn_ + 1 > scroll_.visibleColumns()) {
    scroll_.scrollHorizontal(ScrollRequest::LineForward, 0);
    updateScrollBars();
  }
}

void TextWindowModel::lineEnd() {
  if (pending_) {  // the line just ended is empty
    if (scroll_.verticalPosition() + scroll_.visibleRows() + 2 < lineCount()) {
      scroll_.scrollVertical(ScrollRequest::ToEnd, 0);
    }
    startNewLine();
  }
  if (scroll_.verticalPosition() < scroll_.visibleRows()) updateScrollBars();
  caretColumn_ = 0;
  ++caretRow_;
  pending_ = true;
  if (scroll_.horizontalPosition() != 0) scroll_.scrollHorizontal(ScrollRequest::ToStart, 0);
  if (lineCount() + 2 > scroll_.visibleRows()) {
    scroll_.advanceVertical();
    updateScrollBars();
  }
  waiting_ = false;
}

void TextWindowModel::tab() {
  do {
    character(U' ');
  } while (caretColumn_ % 8 != 0);
}

void TextWindowModel::backspace() {
  if (caretColumn_ == 0) return;
  --caretColumn_;
  key(Key::Delete);
}

void TextWindowModel::insertBlank(int column) {
  lastLine().insert(static_cast<std::size_t>(column), 1, U' ');
}

void TextWindowModel::deleteAt(int column) {
  std::u32string& line = lastLine();
  if (static_cast<std::size_t>(column) < line.size()) line.erase(static_cast<std::size_t>(column), 1);
}

void TextWindowModel::key(Key k) {
  switch (k) {
    case Key::PageUp: scrollVertical(ScrollRequest::PageBack); return;
    case Key::PageDown: scrollVertical(ScrollRequest::PageForward); return;
    case Key::Home: scrollVertical(ScrollRequest::ToStart); return;
    case Key::End: scrollVertical(ScrollRequest::ToEnd); return;
    case Key::Up: scrollVertical(ScrollRequest::LineBack); return;
    case Key::Down: scrollVertical(ScrollRequest::LineForward); return;
    case Key::Left: caretColumn_ = std::max(0, caretColumn_ - 1); return;
    default: break;
  }
  if (pending_ || source_) return;  // no line is open to move in or edit
  switch (k) {
    case Key::Right: caretColumn_ = std::min(caretColumn_ + 1, static_cast<int>(lastLine().size())); return;
    case Key::Insert: insertBlank(caretColumn_); break;
    case Key::Delete: deleteAt(caretColumn_); break;
    default: return;
  }
  modified_ = true;
}

void TextWindowModel::scrollVertical(ScrollRequest request, int thumb) {
  scroll_.scrollVertical(request, thumb);
}

void TextWindowModel::scrollHorizontal(ScrollRequest request, int thumb) {
  scroll_.scrollHorizontal(request, thumb);
}

TextWindowModel::Cell TextWindowModel::cellAt(int x, int y) const {
  // A drag may leave the window: outside it counts as its nearest edge.
  return {scroll_.verticalPosition() + std::max(0, y) / lineHeight_,
          scroll_.horizontalPosition() + std::max(0, x) / charWidth_};
}

std::optional<int> TextWindowModel::lineLength(int row) const {
  if (row < 0 || row >= lineCount()) return std::nullopt;
  return static_cast<int>(line(row).size());
}

void TextWindowModel::mousePress() {
  deselect();
  mouseHeld_ = true;
}

void TextWindowModel::mouseMove(int x, int y, bool leftButtonHeld) {
  if (!leftButtonHeld || !mouseHeld_) return;
  const Cell cell = cellAt(x, y);
  selection_.drag(cell.row, cell.column, lineLength(cell.row));
}

void TextWindowModel::mouseRelease() {
  mouseHeld_ = false;
  // Only a selection that holds characters offers Cut, Copy and Delete; a
  // plain click must not revive the span of an earlier selection.
  if (selection_.hasSpan()) {
    editCommandsEnabled_ = true;
  } else {
    selection_.clear();
  }
}

void TextWindowModel::doubleClick(int x, int y) {
  const Cell cell = cellAt(x, y);
  const std::u32string_view text = lineLength(cell.row) ? std::u32string_view(line(cell.row)) : std::u32string_view();
  selection_.selectWord(text, cell.row, cell.column);
  mouseHeld_ = false;
}

std::u32string TextWindowModel::selectedText() const {
  const std::optional<int> length = lineLength(selection_.row());
  if (!selection_.hasSpan() || !length) return {};
  const int start = std::min(selection_.start(), *length);
  const int end = std::min(selection_.end(), *length);
  return line(selection_.row()).substr(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start));
}

int TextWindowModel::shiftAfterDelete(int column, int start, int length) {
  if (start >= column) return column;
  return start + length <= column ? column - length : start;
}

void TextWindowModel::deleteSelection() {
  const int row = selection_.row();
  if (source_) return;
  const std::optional<int> length = lineLength(row);
  if (selection_.active() && length) {
    const int start = std::min(selection_.start(), *length);
    const int count = std::max(0, std::min(selection_.end(), *length) - start);
    lines_[static_cast<std::size_t>(row)].erase(static_cast<std::size_t>(start), static_cast<std::size_t>(count));
    if (row == caretRow_) {
      caretColumn_ = shiftAfterDelete(caretColumn_, start, count);
      // A read takes its answer from here: the answer must not lose its
      // first characters because part of the prompt went.
      inputStart_ = shiftAfterDelete(inputStart_, start, count);
    }
  }
  deselect();
  modified_ = true;
}

std::string TextWindowModel::takeInput(std::size_t capacity) {
  std::u32string answer;
  if (!lines_.empty() && capacity > 2) {
    const std::u32string& line = lines_.back();
    const std::size_t from = std::min(static_cast<std::size_t>(inputStart_), line.size());
    answer = line.substr(from, capacity - 2);
    answerLine_ = lines_.size() - 1;
    answerColumn_ = from;
  }
  inputStart_ = 0;
  return records::toUtf8(answer) + "\r\n";
}

void TextWindowModel::replaceAnswer(std::u32string_view text) {
  if (lines_.empty() || answerLine_ != lines_.size() - 1 || !pending_) return;
  std::u32string& line = lines_.back();
  line.resize(std::min(answerColumn_, line.size()));
  line += text;
  widest_ = std::max(widest_, static_cast<int>(line.size()));
  modified_ = true;
  updateScrollBars();
}

TextWindowModel::RowSpan TextWindowModel::rowsToPaint(int topPixel, int bottomPixel) const {
  const int position = scroll_.verticalPosition();
  return {std::max(0, position + topPixel / lineHeight_ - 1),
          std::min(lineCount() - 1, position + bottomPixel / lineHeight_)};
}

bool TextWindowModel::highlightVisible() const {
  const int row = selection_.row();
  const int position = scroll_.verticalPosition();
  return selection_.active() && row >= position && row < position + scroll_.visibleRows();
}

}  // namespace veska::window
