// The frame: its menus and shortcuts, what they reach, window arrangement
// and the exit sequence.
#include "hosts/window/frame_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTest>

#include "hosts/window/host_state.h"
#include "hosts/window/text_window.h"

namespace veska::test {
namespace {

using window::FrameWindow;
using window::HostState;
using window::TextWindow;

class FrameTest : public ::testing::Test {
 protected:
  FrameTest() : frame(state, QStringLiteral("veska")) { frame.show(); }

  TextWindow* addWindow(const QString& title, const QRect& geometry = QRect(15, 15, 600, 300)) {
    auto* window = new TextWindow;
    window->setWindowTitle(title);
    state.windowOpened(window);
    QObject::connect(window, &TextWindow::closed, &state, [this](TextWindow* w) { state.windowClosed(w); });
    QObject::connect(window, &TextWindow::closeRefused, &state, [this] { state.closing = false; });
    frame.addTextWindow(window, geometry);
    return window;
  }

  HostState state;
  FrameWindow frame;
  const FrameWindow::Actions& actions = frame.actions();
};

struct MenuEntry {
  QString text;  // empty: a separator
  QString shortcut;
};

std::vector<MenuEntry> entriesOf(const QMenu* menu) {
  std::vector<MenuEntry> entries;
  for (const QAction* action : menu->actions()) {
    entries.push_back({action->isSeparator() ? QString() : action->text(), action->shortcut().toString()});
  }
  return entries;
}

TEST_F(FrameTest, MenusHaveTheirTextsAndShortcuts) {
  const std::vector<std::pair<QString, std::vector<MenuEntry>>> expected = {
      {"&File",
       {{"&New Run", "Ctrl+N"}, {"", ""}, {"&Save", "Ctrl+S"}, {"Save As...", ""},
        {"Save Series at This &Placement...", ""}, {"Save &Corrected Series...", ""}, {"Export &Table...", ""},
        {"", ""},
        {"Date Against &Library...", ""}, {"", ""}, {"Print...", "Ctrl+P"}, {"", ""}, {"&About...", ""}, {"", ""},
        // The platform's own Quit key: Ctrl+Q on X11 and Wayland desktops, none
        // on a platform (such as the offscreen one) that knows no such key.
        {"E&xit", QKeySequence(QKeySequence::Quit).toString()}}},
      {"&Edit",
       {{"&Undo", "Ctrl+Z"}, {"", ""}, {"Cu&t", "Ctrl+X"}, {"&Copy", "Ctrl+C"}, {"&Paste", "Ctrl+V"},
        {"De&lete", ""}}},
      {"F&ormat", {{"&Font...", ""}, {"&Color", ""}}},
      {"&View", {{"&Report", ""}, {"&Pair...", ""}}},
      {"&Window",
       {{"&Cascade", "Shift+F5"}, {"Tile &Horizontally", ""}, {"Tile &Vertically", ""}, {"&Arrange Icons", ""}}},
  };
  const QList<QAction*> popups = frame.menuBar()->actions();
  ASSERT_EQ(popups.size(), static_cast<qsizetype>(expected.size()));
  for (std::size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(expected[i].first.toStdString());
    EXPECT_EQ(popups[static_cast<qsizetype>(i)]->text(), expected[i].first);
    const std::vector<MenuEntry> entries = entriesOf(popups[static_cast<qsizetype>(i)]->menu());
    ASSERT_EQ(entries.size(), expected[i].second.size());
    for (std::size_t k = 0; k < entries.size(); ++k) {
      SCOPED_TRACE(k);
      EXPECT_EQ(entries[k].text, expected[i].second[k].text);
      EXPECT_EQ(entries[k].shortcut, expected[i].second[k].shortcut);
    }
  }
}

TEST_F(FrameTest, WindowMenuListsEveryTextWindowAfterItsOwnEntries) {
  addWindow("Input/Output");
  addWindow("Other");
  Q_EMIT frame.windowMenu()->aboutToShow();
  const std::vector<MenuEntry> entries = entriesOf(frame.windowMenu());
  ASSERT_EQ(entries.size(), 7u);
  EXPECT_TRUE(entries[4].text.isEmpty());
  EXPECT_EQ(entries[5].text, "&1 Input/Output");
  EXPECT_EQ(entries[6].text, "&2 Other");
  EXPECT_EQ(frame.activeTextWindow()->windowTitle(), "Other");
  // Choosing an entry activates its window.
  frame.windowMenu()->actions()[5]->trigger();
  EXPECT_EQ(frame.activeTextWindow()->windowTitle(), "Input/Output");
}

TEST_F(FrameTest, ShortcutsReachTheirCommands) {
  ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
  QSignalSpy cascade(actions.cascade, &QAction::triggered);
  QSignalSpy undo(actions.undo, &QAction::triggered);
  QTest::keyClick(&frame, Qt::Key_F5, Qt::ShiftModifier);
  addWindow("Input/Output");
  QTest::keyClick(frame.activeTextWindow(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(cascade.size(), 1);
  EXPECT_EQ(undo.size(), 1);
}

TEST_F(FrameTest, UndoChangesNothing) {
  TextWindow* window = addWindow("Input/Output");
  window->appendOutput("abc");
  ASSERT_TRUE(actions.undo->isEnabled());
  actions.undo->trigger();
  EXPECT_EQ(window->model().lines().back(), U"abc");
  EXPECT_EQ(window->model().caretColumn(), 3);
}

TEST_F(FrameTest, EditCommandsFollowTheActiveWindowsSelection) {
  TextWindow* window = addWindow("Input/Output");
  window->appendOutput("hello\r\n");
  QAction* cut = actions.cut;
  EXPECT_FALSE(cut->isEnabled());
  window->model().doubleClick(window->model().cellX(2), window->model().cellY(0));
  window->model().mouseRelease();
  Q_EMIT window->stateChanged();
  EXPECT_TRUE(cut->isEnabled());
  EXPECT_TRUE(actions.copy->isEnabled());
  EXPECT_TRUE(actions.deleteSelection->isEnabled());
  EXPECT_TRUE(actions.save->isEnabled());  // a new window's text is unsaved
  window->appendOutput("x");
  EXPECT_FALSE(cut->isEnabled());
}

// Report and Pair... wait for a finished run; a read-only window copies its
// selection but offers nothing that would change its text.
TEST_F(FrameTest, ViewEntriesFollowTheRunAndAReadOnlyWindowTakesNoEdits) {
  EXPECT_FALSE(actions.report->isEnabled());
  EXPECT_FALSE(actions.pair->isEnabled());
  frame.setRunEvidence(true, false);
  EXPECT_TRUE(actions.report->isEnabled());
  EXPECT_FALSE(actions.pair->isEnabled());

  TextWindow* window = addWindow("VESKA.OUT");
  window->appendOutput("hello\r\n");
  window->setReadOnly(true);
  window->model().doubleClick(window->model().cellX(2), window->model().cellY(0));
  window->model().mouseRelease();
  Q_EMIT window->stateChanged();
  EXPECT_TRUE(actions.copy->isEnabled());
  for (QAction* action : {actions.cut, actions.paste, actions.deleteSelection}) {
    EXPECT_FALSE(action->isEnabled()) << action->text().toStdString();
  }
}

TEST_F(FrameTest, TilingSharesTheClientArea) {
  addWindow("a");
  addWindow("b");
  const QSize room = frame.mdiArea()->viewport()->size();
  actions.tileVertically->trigger();
  QList<QMdiSubWindow*> subs = frame.mdiArea()->subWindowList(QMdiArea::CreationOrder);
  EXPECT_EQ(subs[0]->geometry(), QRect(0, 0, room.width() / 2, room.height()));
  EXPECT_EQ(subs[1]->geometry().left(), room.width() / 2);
  actions.tileHorizontally->trigger();
  EXPECT_EQ(subs[0]->geometry(), QRect(0, 0, room.width(), room.height() / 2));
  EXPECT_EQ(subs[1]->geometry().top(), room.height() / 2);
  actions.cascade->trigger();
  EXPECT_NE(subs[0]->geometry().topLeft(), subs[1]->geometry().topLeft());
}

TEST_F(FrameTest, ExitClosesEveryWindowThenQuitsWithZero) {
  addWindow("a");
  addWindow("b");
  actions.exit->trigger();
  EXPECT_EQ(state.openWindowCount(), 0);
  EXPECT_EQ(state.quitCode(), 0);
  EXPECT_TRUE(state.closing);
}

TEST_F(FrameTest, ExitClosesWindowsEvenWithoutAnActiveOne) {
  addWindow("a");
  addWindow("b");
  frame.mdiArea()->setActiveSubWindow(nullptr);
  ASSERT_EQ(frame.activeTextWindow(), nullptr);
  actions.exit->trigger();  // the loop ends all the same
  EXPECT_EQ(state.openWindowCount(), 0);
  EXPECT_EQ(state.quitCode(), 0);
}

TEST_F(FrameTest, AWindowThatRefusesCancelsTheExit) {
  TextWindow* keeper = addWindow("keeper");
  addWindow("other");
  keeper->setCloseGuard([](TextWindow&) { return false; });
  frame.mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(keeper->parentWidget()));
  actions.exit->trigger();
  EXPECT_FALSE(state.closing);
  EXPECT_FALSE(state.quitCode());
  EXPECT_FALSE(keeper->isClosed());
  EXPECT_EQ(state.openWindowCount(), 2);
  // Closing the frame goes the same way: it stays.
  EXPECT_FALSE(frame.close());
  EXPECT_TRUE(frame.isVisible());
}

}  // namespace
}  // namespace veska::test
