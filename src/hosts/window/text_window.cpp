#include "hosts/window/text_window.h"

#include <optional>

#include <QCloseEvent>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include "hosts/window/text_painter.h"

namespace veska::window {
namespace {

std::optional<Key> navigationKey(int qtKey) {
  switch (qtKey) {
    case Qt::Key_PageUp: return Key::PageUp;
    case Qt::Key_PageDown: return Key::PageDown;
    case Qt::Key_Home: return Key::Home;
    case Qt::Key_End: return Key::End;
    case Qt::Key_Up: return Key::Up;
    case Qt::Key_Down: return Key::Down;
    case Qt::Key_Left: return Key::Left;
    case Qt::Key_Right: return Key::Right;
    case Qt::Key_Insert: return Key::Insert;
    case Qt::Key_Delete: return Key::Delete;
    default: return std::nullopt;
  }
}

std::optional<char32_t> controlCharacter(int qtKey) {
  switch (qtKey) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return TextWindowModel::kLineEnd;
    case Qt::Key_Backspace: return TextWindowModel::kBackspace;
    case Qt::Key_Tab: return TextWindowModel::kTab;
    default: return std::nullopt;
  }
}

std::optional<ScrollRequest> scrollRequest(int sliderAction) {
  switch (sliderAction) {
    case QAbstractSlider::SliderSingleStepSub: return ScrollRequest::LineBack;
    case QAbstractSlider::SliderSingleStepAdd: return ScrollRequest::LineForward;
    case QAbstractSlider::SliderPageStepSub: return ScrollRequest::PageBack;
    case QAbstractSlider::SliderPageStepAdd: return ScrollRequest::PageForward;
    case QAbstractSlider::SliderToMinimum: return ScrollRequest::ToStart;
    case QAbstractSlider::SliderToMaximum: return ScrollRequest::ToEnd;
    case QAbstractSlider::SliderMove: return ScrollRequest::ThumbTrack;
    default: return std::nullopt;
  }
}

// Only changes reach the scroll bar: every range change makes it repaint.
void syncBar(QScrollBar* bar, int range, int position, int page) {
  if (bar->minimum() != 0 || bar->maximum() != range) bar->setRange(0, range);
  if (bar->pageStep() != std::max(1, page)) bar->setPageStep(std::max(1, page));
  if (bar->value() != position) bar->setValue(position);
}

}  // namespace

TextWindow::TextWindow(QWidget* parent) : QAbstractScrollArea(parent) {
  setObjectName(QStringLiteral("textWindow"));
  setAttribute(Qt::WA_InputMethodEnabled, false);
  setFocusPolicy(Qt::StrongFocus);
  viewport()->setCursor(Qt::IBeamCursor);
  QPalette palette = viewport()->palette();
  palette.setColor(QPalette::Base, Qt::white);
  viewport()->setPalette(palette);
  viewport()->setAutoFillBackground(true);
  connect(verticalScrollBar(), &QAbstractSlider::actionTriggered, this, &TextWindow::verticalAction);
  connect(horizontalScrollBar(), &QAbstractSlider::actionTriggered, this, &TextWindow::horizontalAction);
  connect(verticalScrollBar(), &QAbstractSlider::sliderReleased, this, [this] {
    model_.scrollVertical(ScrollRequest::ThumbPosition, verticalScrollBar()->sliderPosition());
    changed();
  });
  setTextFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
}

void TextWindow::setTextFont(const QFont& font) {
  font_ = font;
  const QFontMetrics metrics(font_);
  model_.setCellSize(metrics.horizontalAdvance(QLatin1Char('0')), metrics.height());
  model_.resize(viewport()->width(), viewport()->height());
  changed();
}

void TextWindow::appendOutput(std::string_view bytes) {
  const bool hadSelection = model_.editCommandsEnabled();
  model_.appendOutput(bytes);
  // Output ends a selection: Cut and Copy go at once.
  if (hadSelection) return changed();
  // Streaming output (half a million lines for 1000 series) reaches the
  // scroll bars, the screen and the menus once an event pass, not once a
  // line: their upkeep per line had the window fall behind the terminal.
  if (changePending_) return;
  changePending_ = true;
  QMetaObject::invokeMethod(
      this,
      [this] {
        changePending_ = false;
        changed();
      },
      Qt::QueuedConnection);
}

void TextWindow::typeCharacters(std::u32string_view text) {
  pendingTyping_.append(text);
  typePending();
}

void TextWindow::typePending() {
  std::size_t typed = 0;
  while (typed < pendingTyping_.size()) {
    const bool reading = model_.waiting();
    model_.character(pendingTyping_[typed++]);
    if (reading && !model_.waiting()) break;  // this read's line is complete
  }
  pendingTyping_.erase(0, typed);
  changed();
}

void TextWindow::beginRead() {
  model_.beginRead();
  if (!pendingTyping_.empty()) typePending();
}

void TextWindow::showAnswer(std::u32string_view text) {
  model_.replaceAnswer(text);
  changed();
}

void TextWindow::setReadOnly(bool readOnly) {
  readOnly_ = readOnly;
  Q_EMIT stateChanged();
}

void TextWindow::changed() {
  syncScrollBars();
  viewport()->update();
  Q_EMIT stateChanged();
}

void TextWindow::syncScrollBars() {
  const ScrollState& scroll = model_.scroll();
  syncBar(verticalScrollBar(), scroll.verticalRange(), scroll.verticalPosition(), scroll.visibleRows());
  syncBar(horizontalScrollBar(), scroll.horizontalRange(), scroll.horizontalPosition(), scroll.visibleColumns());
}

void TextWindow::verticalAction(int action) {
  const auto request = scrollRequest(action);
  if (!request || *request == ScrollRequest::ThumbTrack) return;  // the text moves when the thumb is let go
  model_.scrollVertical(*request);
  verticalScrollBar()->setSliderPosition(model_.scroll().verticalPosition());
  changed();
}

void TextWindow::horizontalAction(int action) {
  const auto request = scrollRequest(action);
  if (!request) return;
  model_.scrollHorizontal(*request, horizontalScrollBar()->sliderPosition());
  horizontalScrollBar()->setSliderPosition(model_.scroll().horizontalPosition());
  changed();
}

void TextWindow::scrollContentsBy(int /*dx*/, int /*dy*/) {
  // The model owns the positions; every change repaints from it.
}

void TextWindow::paintEvent(QPaintEvent* event) {
  QPainter painter(viewport());
  paintText(painter, model_, font_, event->rect(), hasFocus());
}

void TextWindow::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  model_.resize(viewport()->width(), viewport()->height());
  changed();
}

bool TextWindow::typeText(const QKeyEvent& event) {
  // Control and Alt combinations are commands and menu keys, not text.
  if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return false;
  bool typed = false;
  for (const char32_t c : event.text().toUcs4()) {
    if (c < 32 || c == 127) continue;
    model_.character(c);
    typed = true;
  }
  return typed;
}

void TextWindow::keyPressEvent(QKeyEvent* event) {
  if (readOnly_) {
    // Only the keys that move the view; nothing reaches the text.
    const auto key = navigationKey(event->key());
    if (key && *key != Key::Left && *key != Key::Right && *key != Key::Insert && *key != Key::Delete) {
      model_.key(*key);
      changed();
    }
    return;
  }
  if (const auto key = navigationKey(event->key())) {
    model_.key(*key);
  } else if (const auto c = controlCharacter(event->key())) {
    model_.character(*c);
  } else if (!typeText(*event)) {
    QAbstractScrollArea::keyPressEvent(event);
    return;
  }
  changed();
}

bool TextWindow::focusNextPrevChild(bool /*next*/) {
  return false;  // Tab is typed into the window
}

void TextWindow::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  setFocus(Qt::MouseFocusReason);
  model_.mousePress();
  changed();
}

void TextWindow::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  model_.mouseMove(at.x(), at.y(), event->buttons() & Qt::LeftButton);
  changed();
}

void TextWindow::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  model_.mouseRelease();
  changed();
}

void TextWindow::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const QPoint at = event->position().toPoint();
  if (readOnly_) {
    const int row = model_.scroll().verticalPosition() + at.y() / std::max(1, model_.lineHeight());
    if (row < model_.lineCount()) Q_EMIT lineDoubleClicked(row);
    return;
  }
  model_.doubleClick(at.x(), at.y());
  changed();
}

void TextWindow::wheelEvent(QWheelEvent* event) {
  const int notches = event->angleDelta().y() / 120;
  const auto request = notches > 0 ? ScrollRequest::LineBack : ScrollRequest::LineForward;
  for (int i = 0; i < 3 * std::abs(notches); ++i) model_.scrollVertical(request);
  changed();
}

void TextWindow::focusInEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusInEvent(event);
  viewport()->update();  // the caret shows only with the focus
}

void TextWindow::focusOutEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusOutEvent(event);
  viewport()->update();
}

void TextWindow::closeEvent(QCloseEvent* event) {
  if (closed_) {
    event->accept();
    return;
  }
  if (closeGuard_ && !closeGuard_(*this)) {
    event->ignore();
    Q_EMIT closeRefused();
    return;
  }
  closed_ = true;
  event->accept();
  Q_EMIT closed(this);
}

}  // namespace veska::window
