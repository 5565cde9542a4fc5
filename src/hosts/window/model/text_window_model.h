// Everything a text window knows, without any drawing: its lines, the caret,
// the pending line, scrolling, the selection, the read that waits for a line
// and the flags the menus follow. The widget turns its events into calls on
// this class and paints what it says; tests drive it directly.
//
// Output and typing take one path: every output character is handled as if
// typed. The caret is always on the last line, and only the last line is
// edited; earlier lines never move.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "hosts/window/model/line_source.h"
#include "hosts/window/model/scroll_state.h"
#include "hosts/window/model/text_selection.h"

namespace veska::window {

// The keys a text window acts on; every other key is ignored.
enum class Key { PageUp, PageDown, Home, End, Up, Down, Left, Right, Insert, Delete };

class TextWindowModel {
 public:
  static constexpr char32_t kBackspace = 8;
  static constexpr char32_t kTab = 9;
  static constexpr char32_t kLineFeed = 10;
  static constexpr char32_t kLineEnd = 13;  // CR: Enter, or the end of an output record

  // The font's cell in pixels, and the client area in pixels.
  void setCellSize(int charWidth, int lineHeight);
  void resize(int widthPixels, int heightPixels);

  // Console output: a final LF is dropped (CR alone ends the line), the rest
  // is handled character by character; input then starts behind it.
  void appendOutput(std::string_view bytes);
  // One typed (or output) character.
  void character(char32_t c);
  void key(Key k);
  void scrollVertical(ScrollRequest request, int thumb = 0);
  void scrollHorizontal(ScrollRequest request, int thumb = 0);

  // Mouse, in client pixels.
  void mousePress();
  void mouseMove(int x, int y, bool leftButtonHeld);
  void mouseRelease();
  void doubleClick(int x, int y);

  // The Edit commands. The selected span of its line; empty without one.
  std::u32string selectedText() const;
  // Removes the selected span from its line, whichever line it is; the
  // caret (and where input starts) keeps its place in the text after it.
  void deleteSelection();

  // The window's text was saved.
  void markSaved() { modified_ = false; }
  void setTextColour(std::uint32_t rgb) { textColour_ = rgb; }

  // A console read: it waits until a line end clears the waiting flag, then
  // takes the answer: the last line from the input start column, at most
  // capacity - 2 characters, as UTF-8 followed by CR LF.
  void beginRead() { waiting_ = true; }
  bool waiting() const { return waiting_; }
  std::string takeInput(std::size_t capacity);
  // The answer the last read took reads `text` instead, on its line behind
  // the prompt, as if it had been typed; nothing changes once another line
  // has begun.
  void replaceAnswer(std::u32string_view text);

  // Painting.
  struct RowSpan {
    int first;
    int last;  // inclusive; first > last when nothing is to be drawn
  };
  RowSpan rowsToPaint(int topPixel, int bottomPixel) const;
  int cellX(int column) const { return (column - scroll_.horizontalPosition()) * charWidth_; }
  int cellY(int row) const { return (row - scroll_.verticalPosition()) * lineHeight_; }
  // The selection's row is in view, so its highlight is drawn.
  bool highlightVisible() const;

  // A read-only window shows `source` instead of a text of its own, from its
  // first line; typing, output and deleting change nothing in it.
  void showSource(std::shared_ptr<const LineSource> source);
  // The source has more lines than before: the scroll ranges follow.
  void sourceGrew() { updateScrollBars(); }

  // The window's own text; empty while it shows a source.
  const std::vector<std::u32string>& lines() const { return lines_; }
  // Line `row` (from 0) of whatever the window shows; valid until the next call.
  const std::u32string& line(int row) const;
  int lineCount() const { return source_ ? source_->lineCount() : static_cast<int>(lines_.size()); }
  int widestLine() const { return source_ ? source_->widestLine() : widest_; }
  int caretColumn() const { return caretColumn_; }
  int caretRow() const { return caretRow_; }
  int inputStartColumn() const { return inputStart_; }
  bool linePending() const { return pending_; }
  const ScrollState& scroll() const { return scroll_; }
  const TextSelection& selection() const { return selection_; }
  int charWidth() const { return charWidth_; }
  int lineHeight() const { return lineHeight_; }
  bool modified() const { return modified_; }
  // Cut, Copy and Delete are offered only while a finished selection exists.
  bool editCommandsEnabled() const { return editCommandsEnabled_; }
  std::uint32_t textColour() const { return textColour_; }  // 0xRRGGBB

 private:
  struct Cell {
    int row;
    int column;
  };
  Cell cellAt(int x, int y) const;
  // None for a row that holds no line.
  std::optional<int> lineLength(int row) const;
  std::u32string& lastLine() { return lines_.back(); }

  void ordinaryCharacter(char32_t c);
  void lineEnd();
  void tab();
  void backspace();
  void startNewLine() { lines_.emplace_back(); }
  void insertBlank(int column);
  void deleteAt(int column);
  void updateScrollBars() { scroll_.update(lineCount(), widestLine()); }
  void deselect();
  // `column` of the caret's row after `length` characters from `start` went.
  static int shiftAfterDelete(int column, int start, int length);

  std::vector<std::u32string> lines_;  // grows without limit: no line is ever lost
  std::shared_ptr<const LineSource> source_;
  ScrollState scroll_;
  TextSelection selection_;
  int charWidth_ = 1;
  int lineHeight_ = 1;
  int caretColumn_ = 0;
  int caretRow_ = 0;
  int widest_ = 0;
  int inputStart_ = 0;
  // Where the answer the last read took begins: its line and column.
  std::size_t answerLine_ = 0;
  std::size_t answerColumn_ = 0;
  bool pending_ = true;  // the last character ended a line
  bool waiting_ = false;
  bool mouseHeld_ = false;
  bool modified_ = true;
  bool editCommandsEnabled_ = false;
  std::uint32_t textColour_ = 0;
};

}  // namespace veska::window
