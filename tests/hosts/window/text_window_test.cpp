// The text window widget: keys and mouse reach the model, and it paints
// what the model holds.
#include "hosts/window/text_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFontDatabase>
#include <QImage>
#include <QScrollBar>
#include <QTest>

#include "hosts/window/host_script.h"

namespace veska::test {
namespace {

using window::TextWindow;

class TextWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window.resize(600, 300);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    window.setFocus();
    QApplication::processEvents();
  }
  std::string last() const { return records::toUtf8(window.model().lines().back()); }
  QPoint cell(int row, int column) const {
    const auto& model = window.model();
    return {model.cellX(column) + model.charWidth() / 2, model.cellY(row) + model.lineHeight() / 2};
  }
  QImage picture() { return window.viewport()->grab().toImage(); }

  TextWindow window;
};

TEST_F(TextWindowTest, StartsWithTheSystemFixedFontAnIBeamAndAWhiteBackground) {
  EXPECT_EQ(window.objectName(), "textWindow");
  EXPECT_EQ(window.viewport()->cursor().shape(), Qt::IBeamCursor);
  EXPECT_EQ(window.viewport()->palette().color(QPalette::Base), QColor(Qt::white));
  const QFontMetrics fixed(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  EXPECT_EQ(window.model().lineHeight(), fixed.height());
  EXPECT_EQ(window.model().charWidth(), fixed.horizontalAdvance(QLatin1Char('0')));
  EXPECT_EQ(window.model().scroll().visibleRows(), window.viewport()->height() / fixed.height());
}

TEST_F(TextWindowTest, KeysEditTheLastLine) {
  QTest::keyClicks(&window, "acd");
  QTest::keyClick(&window, Qt::Key_Left);
  QTest::keyClick(&window, Qt::Key_Left);
  QTest::keyClicks(&window, "b");
  EXPECT_EQ(last(), "abcd");
  QTest::keyClick(&window, Qt::Key_Tab);  // typed, not a move to another widget
  EXPECT_EQ(last(), "ab      cd");
  EXPECT_TRUE(window.hasFocus());
  QTest::keyClick(&window, Qt::Key_Backspace);
  QTest::keyClick(&window, Qt::Key_Delete);
  EXPECT_EQ(last(), "ab     d");
  QTest::keyClick(&window, Qt::Key_A, Qt::ControlModifier);  // a command key, not text
  QTest::keyClick(&window, Qt::Key_Escape);
  EXPECT_EQ(last(), "ab     d");
  QTest::keyClick(&window, Qt::Key_Return);
  EXPECT_TRUE(window.model().linePending());
}

TEST_F(TextWindowTest, ScrollBarsMirrorTheModelAndDriveIt) {
  for (int i = 0; i < 100; ++i) window.appendOutput("line " + std::to_string(i) + "\r\n");
  QCoreApplication::processEvents();  // streaming output reaches the bars at the next event pass
  QScrollBar* bar = window.verticalScrollBar();
  const auto& scroll = window.model().scroll();
  EXPECT_EQ(bar->maximum(), scroll.verticalRange());
  EXPECT_EQ(bar->value(), scroll.verticalPosition());
  bar->triggerAction(QAbstractSlider::SliderToMinimum);
  EXPECT_EQ(scroll.verticalPosition(), 0);
  EXPECT_EQ(bar->value(), 0);
  bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
  EXPECT_EQ(scroll.verticalPosition(), scroll.visibleRows());
  QTest::keyClick(&window, Qt::Key_End);
  EXPECT_EQ(bar->value(), scroll.verticalRange());
}

TEST_F(TextWindowTest, PaintsCharactersInTheirCellsAndTheCaretWithFocus) {
  window.appendOutput("X\r\n");
  window.appendOutput("Y");
  const QImage image = picture();
  const auto& model = window.model();
  auto inkIn = [&](int row, int column) {
    for (int y = model.cellY(row); y < model.cellY(row) + model.lineHeight(); ++y) {
      for (int x = model.cellX(column); x < model.cellX(column) + model.charWidth(); ++x) {
        if (image.pixelColor(x, y) != QColor(Qt::white)) return true;
      }
    }
    return false;
  };
  EXPECT_TRUE(inkIn(0, 0));   // X
  EXPECT_FALSE(inkIn(0, 2));  // nothing after it
  EXPECT_TRUE(inkIn(1, 0));   // Y
  EXPECT_TRUE(inkIn(1, 1));   // the caret behind Y
  // The caret is a solid block: its cell's centre is black.
  EXPECT_EQ(image.pixelColor(cell(1, 1)), QColor(Qt::black));
}

TEST_F(TextWindowTest, DraggingSelectsAndTheHighlightIsWhiteOnBlue) {
  window.appendOutput("hello world\r\n");
  // The selection starts where the pointer first moves with the button held.
  QTest::mousePress(window.viewport(), Qt::LeftButton, {}, cell(0, 0));
  QTest::mouseMove(window.viewport(), cell(0, 0));
  QTest::mouseMove(window.viewport(), cell(0, 3));
  QTest::mouseMove(window.viewport(), cell(0, 5));
  QTest::mouseRelease(window.viewport(), Qt::LeftButton, {}, cell(0, 5));
  const auto& selection = window.model().selection();
  ASSERT_TRUE(selection.active());
  EXPECT_EQ(selection.start(), 0);
  EXPECT_EQ(selection.end(), 5);
  EXPECT_TRUE(window.model().editCommandsEnabled());
  const QImage image = picture();
  const QPoint topLeftOfBlank(window.model().cellX(5) - 1, window.model().cellY(0));
  EXPECT_EQ(image.pixelColor(topLeftOfBlank), QColor(0, 0, 255));
  EXPECT_EQ(image.pixelColor(cell(0, 7)), QColor(Qt::white));  // outside the span
}

TEST_F(TextWindowTest, CloseGuardDecidesWhetherTheWindowGoes) {
  bool allow = false;
  int closedSignals = 0;
  int refusals = 0;
  window.setCloseGuard([&](TextWindow&) { return allow; });
  QObject::connect(&window, &TextWindow::closed, [&] { ++closedSignals; });
  QObject::connect(&window, &TextWindow::closeRefused, [&] { ++refusals; });
  EXPECT_FALSE(window.close());
  EXPECT_FALSE(window.isClosed());
  EXPECT_EQ(refusals, 1);
  allow = true;
  EXPECT_TRUE(window.close());
  EXPECT_TRUE(window.isClosed());
  EXPECT_EQ(closedSignals, 1);
}

}  // namespace
}  // namespace veska::test
