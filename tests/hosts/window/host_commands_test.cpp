// The text window's commands in a running host: from the menus and the
// accelerators while a read waits and in the final wait, the save question
// during Exit, and the About box.
#include <gtest/gtest.h>

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>

#include "hosts/window/host.h"
#include "hosts/window/frame_window.h"
#include "hosts/window/model/text_file.h"
#include "hosts/window/fake_dialogs.h"
#include "hosts/window/host_script.h"
#include "support/test_support.h"

namespace veska::test {
namespace {

using window::Dialogs;
using window::Host;
using Actions = window::FrameWindow::Actions;

class HostCommandsTest : public ::testing::Test {
 protected:
  static void trigger(Host& host, QAction* Actions::*action) { (host.frame()->actions().*action)->trigger(); }
  // Ctrl+<key> typed in the Input/Output window, with the frame active so
  // its shortcuts are live.
  static void accelerator(Host& host, Qt::Key key) {
    host.frame()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(host.frame()));
    QTest::keyClick(host.consoleWindow(), key, Qt::ControlModifier);
  }
  // Double-clicks the word that ends in `column` of `row`, as the mouse does.
  static void selectWord(Host& host, int row, int column) {
    window::TextWindow* window = host.consoleWindow();
    window->model().doubleClick(window->model().cellX(column), window->model().cellY(row));
    window->model().mouseRelease();
    window->refresh();
  }
  QString pathOf(const std::string& name) const { return QString::fromStdString(dir.file(name).string()); }
  static std::string saved(const Host& host) { return window::savedBytes(host.consoleWindow()->model().lines()); }

  TempDir dir;
  FakeDialogs dialogs;
};

TEST_F(HostCommandsTest, SaveAndCopyWorkWhileAReadWaitsAndInTheFinalWait) {
  Host host(dialogs);
  Typist typist(host, {});
  dialogs.saveNames = {pathOf("console.txt")};
  std::string duringRead;
  typist.whenOutOfAnswers = [&] {
    trigger(host, &Actions::save);
    duringRead = saved(host);
    EXPECT_EQ(readFile(dir.file("console.txt")), duringRead);
    EXPECT_FALSE(host.frame()->actions().save->isEnabled());
    EXPECT_EQ(host.consoleWindow()->parentWidget()->windowTitle(), "console.txt");  // its frame in the MDI client
    selectWord(host, 1, 3);  // "Open" of " Open up UNDATED tree-ring data file:"
    ASSERT_TRUE(host.frame()->actions().copy->isEnabled());
    accelerator(host, Qt::Key_C);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "Open");
    // Paste answers the question: "/" and Enter bail out.
    QGuiApplication::clipboard()->setText(QStringLiteral("/\n"));
    accelerator(host, Qt::Key_V);
  };
  bool finalWait = false;
  typist.atFinalWait = [&] {
    finalWait = true;
    EXPECT_TRUE(host.frame()->actions().save->isEnabled());  // the answer is unsaved
    trigger(host, &Actions::save);
    EXPECT_EQ(dialogs.saveDialogs.size(), 1u);  // the name chosen before
    EXPECT_EQ(readFile(dir.file("console.txt")), saved(host));
    EXPECT_NE(saved(host), duringRead);
    selectWord(host, 1, 12);  // "UNDATED"
    accelerator(host, Qt::Key_C);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "UNDATED");
    host.frame()->close();
  };
  EXPECT_EQ(host.run(), 0);
  EXPECT_TRUE(finalWait);
  EXPECT_TRUE(dialogs.questions.empty());  // everything was saved
  EXPECT_TRUE(dialogs.boxes.empty());
  // Every dialog is modal to the frame.
  for (QWidget* owner : dialogs.owners) EXPECT_EQ(owner, host.frame());
}

TEST_F(HostCommandsTest, ExitAsksAboutUnsavedTextAndOnlyNoOrASaveLetsItEnd) {
  Host host(dialogs);
  Typist typist(host, {});
  typist.whenOutOfAnswers = [&] {
    dialogs.answers = {Dialogs::Answer::Cancel};
    trigger(host, &Actions::exit);
    EXPECT_FALSE(host.state().quitCode());
    // Yes, then Cancel in the file dialog, keeps the text and the run.
    dialogs.answers = {Dialogs::Answer::Yes};
    trigger(host, &Actions::exit);
    EXPECT_FALSE(host.state().quitCode());
    EXPECT_EQ(host.state().openWindowCount(), 1);
    EXPECT_FALSE(host.state().closing);
    // Yes with a file chosen saves, then the exit goes on.
    dialogs.answers = {Dialogs::Answer::Yes};
    dialogs.saveNames = {pathOf("at-exit.txt")};
    trigger(host, &Actions::exit);
  };
  EXPECT_EQ(host.run(), 0);
  ASSERT_EQ(dialogs.questions.size(), 3u);
  EXPECT_EQ(dialogs.questions[0].text, "Save changes to Input/Output?");
  EXPECT_EQ(dialogs.saveDialogs.size(), 2u);
  EXPECT_NE(readFile(dir.file("at-exit.txt")).find("Open up UNDATED tree-ring data file:"), std::string::npos);
}

TEST_F(HostCommandsTest, AboutShowsTheSystemsFigures) {
  Host host(dialogs);
  Typist typist(host, {});
  typist.whenOutOfAnswers = [&] {
    trigger(host, &Actions::about);
    trigger(host, &Actions::exit);
  };
  EXPECT_EQ(host.run(), 0);
  ASSERT_EQ(dialogs.aboutBoxes.size(), 1u);
  const std::vector<window::AboutRow>& rows = dialogs.aboutBoxes[0];
  const std::vector<window::AboutRow> expected = window::aboutRows(window::gatherSystemFigures());
  ASSERT_EQ(rows.size(), expected.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(rows[i].label, expected[i].label);
    EXPECT_EQ(rows[i].value, expected[i].value);
  }
  EXPECT_EQ(dialogs.owners.front(), host.frame());
}

}  // namespace
}  // namespace veska::test
