// The text window's model over arbitrary sequences of output bytes, typed
// characters, keys, scrolls, mouse selections, the Edit commands (Copy,
// Delete, Paste), resizes and reads. Each input
// byte picks an event; the bytes after it are its arguments. Pixel positions
// and sizes stay within what a screen gives (a drag may leave the window).
//
// After every event the model must be one the widget can paint and the read
// hook can answer from without leaving its lines.
#include <algorithm>
#include <string>

#include "hosts/window/model/paste_text.h"
#include "hosts/window/model/text_window_model.h"
#include "fuzz_support.h"

namespace veska::fuzz {
namespace {

class Events {
 public:
  Events(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool done() const { return at_ >= size_; }
  std::uint8_t byte() { return at_ < size_ ? data_[at_++] : 0; }
  // A pixel coordinate or size, -65536 .. 65535.
  int pixels() {
    const int low = byte();
    const int high = byte();
    return (low | high << 8 | (byte() & 1) << 16) - 65536;
  }
  // Any character a key event can carry: the widget gets them from Qt's
  // UTF-16 text, where a lone surrogate comes out as U+FFFD.
  char32_t character() {
    const std::uint32_t low = byte();
    const std::uint32_t high = byte();
    const auto c = static_cast<char32_t>((low | high << 8 | (byte() & 0x1Fu) << 16) % 0x110000);
    return c >= 0xD800 && c <= 0xDFFF ? U'\uFFFD' : c;
  }
  std::string_view bytes() {
    const std::size_t n = std::min<std::size_t>(byte(), size_ - at_);
    const std::string_view out(reinterpret_cast<const char*>(data_ + at_), n);
    at_ += n;
    return out;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

void checkModel(const window::TextWindowModel& m) {
  const int lines = m.lineCount();
  check(m.caretRow() == lines - (m.linePending() ? 0 : 1), "the caret is not on the last line");
  if (m.linePending()) {
    check(m.caretColumn() == 0, "a pending line with the caret off column 0");
  } else {
    check(lines > 0, "an open line without lines");
    const int length = static_cast<int>(m.lines().back().size());
    check(m.caretColumn() >= 0 && m.caretColumn() <= length, "the caret left its line");
  }
  check(m.inputStartColumn() >= 0, "a negative input start");
  const auto& s = m.scroll();
  check(s.verticalPosition() >= 0 && s.verticalPosition() <= s.verticalRange(), "vertical position out of range");
  check(s.horizontalPosition() >= 0 && s.horizontalPosition() <= s.horizontalRange(), "horizontal position out of range");
  const auto& sel = m.selection();
  if (sel.active()) {
    check(sel.row() >= 0 && sel.row() < lines, "a selection on a row without a line");
    // A line shortened by Delete while the mouse is held can leave a span
    // whose end lies before its start (the drag rule clamps the end to the
    // line); it then holds nothing to copy or delete, which checkCopy and
    // deleteSelection must respect.
    check(sel.start() >= 0 && sel.end() >= 0, "a selection at a negative column");
  }
}

void checkPaint(const window::TextWindowModel& m, int top, int bottom) {
  const auto rows = m.rowsToPaint(std::min(top, bottom), std::max(top, bottom));
  if (rows.first <= rows.last) check(rows.first >= 0 && rows.last < m.lineCount(), "rows to paint beyond the text");
}

// Copy takes the selected span from its own line, never beyond it.
void checkCopy(const window::TextWindowModel& m) {
  const std::u32string copied = m.selectedText();
  if (copied.empty()) return;
  const auto& sel = m.selection();
  const std::u32string& line = m.lines()[static_cast<std::size_t>(sel.row())];
  check(line.find(copied, static_cast<std::size_t>(std::min<int>(sel.start(), static_cast<int>(line.size())))) !=
            std::u32string::npos,
        "copied text that is not on the selected line");
}

void checkAnswer(const std::string& answer, std::size_t capacity) {
  check(answer.size() >= 2 && answer.ends_with("\r\n"), "an answer without CR LF");
  check(isValidUtf8(answer), "an answer that is not valid UTF-8");
  check(answer.size() <= 2 + 4 * (capacity > 2 ? capacity - 2 : 0), "an answer beyond the capacity");
}

window::ScrollRequest request(std::uint8_t b) { return static_cast<window::ScrollRequest>(b % 8); }

}  // namespace
}  // namespace veska::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace veska;
  fuzz::Events events(data, size);
  window::TextWindowModel m;
  m.setCellSize(8, 16);
  m.resize(640, 400);
  while (!events.done()) {
    switch (events.byte() % 17) {
      case 0: m.appendOutput(events.bytes()); break;
      case 1: m.character(events.character()); break;
      case 2: m.character(static_cast<char32_t>(events.byte() % 16)); break;  // controls: BS, tab, LF, CR
      case 3: m.key(static_cast<window::Key>(events.byte() % 10)); break;
      case 4: {
        const auto r = fuzz::request(events.byte());
        m.scrollVertical(r, events.pixels());
        break;
      }
      case 5: {
        const auto r = fuzz::request(events.byte());
        m.scrollHorizontal(r, events.pixels());
        break;
      }
      case 6: m.mousePress(); break;
      case 7: {
        const int x = events.pixels();
        const int y = events.pixels();
        m.mouseMove(x, y, events.byte() & 1);
        break;
      }
      case 8: m.mouseRelease(); break;
      case 9: {
        const int x = events.pixels();
        m.doubleClick(x, events.pixels());
        break;
      }
      case 10: {
        const int w = events.pixels();
        m.resize(w, events.pixels());
        break;
      }
      case 11: {
        const int w = events.byte() % 64;
        m.setCellSize(w, events.byte() % 64);
        m.resize(640, 400);
        break;
      }
      case 12: {
        m.beginRead();
        const std::size_t capacity = events.byte();
        fuzz::checkAnswer(m.takeInput(capacity), capacity);
        break;
      }
      case 13: {
        const int top = events.pixels();
        fuzz::checkPaint(m, top, events.pixels());
        break;
      }
      case 14: fuzz::checkCopy(m); break;
      case 15: m.deleteSelection(); break;
      case 16: {  // Paste: the clipboard's characters typed one by one
        std::u32string clipboard;
        for (const char c : events.bytes()) clipboard.push_back(static_cast<unsigned char>(c));
        for (const char32_t c : window::pastedCharacters(clipboard)) m.character(c);
        break;
      }
    }
    fuzz::checkModel(m);
  }
  return 0;
}
