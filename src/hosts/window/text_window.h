// The text window (object name textWindow): a scrolling, append-only text
// terminal inside the frame. Its whole state is a TextWindowModel; this
// widget only turns Qt's events into calls on the model and paints it.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include <QAbstractScrollArea>
#include <QFont>

#include "hosts/window/model/text_window_model.h"

namespace veska::window {

class TextCommands;

class TextWindow : public QAbstractScrollArea {
  Q_OBJECT

 public:
  explicit TextWindow(QWidget* parent = nullptr);

  TextWindowModel& model() { return model_; }
  const TextWindowModel& model() const { return model_; }

  // Console output, appended as if typed; the scroll bars, the repaint and
  // stateChanged follow at the next event pass.
  void appendOutput(std::string_view bytes);
  // Characters typed as if from the keyboard (Paste). A line end that
  // completes a waiting read stops the typing there, so the read gets that
  // line and not a later one; the rest is typed when the next read begins
  // (after its prompt), and is dropped if the run reads no more.
  void typeCharacters(std::u32string_view text);
  // A console read begins to wait for this window's line.
  void beginRead();
  // The answer just read shows `text` instead, as if it had been typed.
  void showAnswer(std::u32string_view text);

  // The File, Edit and Format commands the frame's menus run on this
  // window; nullptr for a window that has none.
  TextCommands* commands() const { return commands_; }
  void setCommands(TextCommands* commands) { commands_ = commands; }

  const QFont& textFont() const { return font_; }
  // New cell metrics, visible rows and columns, scroll bars and a repaint.
  void setTextFont(const QFont& font);
  // After the model changed outside the window's own events.
  void refresh() { changed(); }

  // Asked whether the window may close; without a guard it always may.
  using CloseGuard = std::function<bool(TextWindow&)>;
  void setCloseGuard(CloseGuard guard) { closeGuard_ = std::move(guard); }
  bool isClosed() const { return closed_; }

  // A read-only window (the report) scrolls, selects, copies, saves and
  // prints, but takes no typing, Paste, Cut or Delete, and a double-click
  // names the line rather than selecting a word.
  void setReadOnly(bool readOnly);
  bool readOnly() const { return readOnly_; }

 Q_SIGNALS:
  // Something the menus or a waiting read follow may have changed.
  void stateChanged();
  // The window agreed to close and is going.
  void closed(veska::window::TextWindow* window);
  // The window refused to close (its text is kept).
  void closeRefused();
  // A read-only window's line (from 0) was double-clicked.
  void lineDoubleClicked(int row);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  bool focusNextPrevChild(bool next) override;

 private:
  void changed();
  void typePending();
  void syncScrollBars();
  void verticalAction(int action);
  void horizontalAction(int action);
  bool typeText(const QKeyEvent& event);

  TextWindowModel model_;
  QFont font_;
  CloseGuard closeGuard_;
  TextCommands* commands_ = nullptr;
  std::u32string pendingTyping_;
  bool closed_ = false;
  bool readOnly_ = false;
  bool changePending_ = false;  // output appended since the widget last followed the model
};

}  // namespace veska::window
