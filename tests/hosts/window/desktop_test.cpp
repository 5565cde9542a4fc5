// The desktop's conventions: a file dropped on the frame answers the file-name
// prompt, the chooser offers tree-ring files and opens where the last data
// file was, and the frame reopens where it was left. Settings go to
// QStandardPaths' test location (see host_test_main.cpp) and are cleared
// before each test.
#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QSettings>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QUrl>

#include "hosts/window/console_hooks.h"
#include "hosts/window/desktop_settings.h"
#include "hosts/window/fake_dialogs.h"
#include "hosts/window/file_drop.h"
#include "hosts/window/frame_window.h"
#include "hosts/window/host.h"
#include "hosts/window/host_state.h"
#include "hosts/window/text_window.h"
#include "hosts/window/unit_window_table.h"
#include "records/text.h"

namespace veska::test {
namespace {

namespace settings = window::desktop_settings;
using window::TextWindow;

// As the dialogue writes it: the prompt text, then "==> " at column 45.
const char* const kFileNamePrompt = " File name (/ to exit)                       ==> ";
const char* const kOtherPrompt = " Ring widths (M) or Indices (I)              ==> ";

void clearSettings() {
  QSettings all(QStringLiteral("veska"), QStringLiteral("veska"));
  const QString file = all.fileName();
  QFile::remove(file);
}

class DesktopTest : public ::testing::Test {
 protected:
  void SetUp() override {
    clearSettings();
    ASSERT_TRUE(data.isValid());
    QFile file(siteFile());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    units.registerUnit(window::kConsoleUnit);
    window = new TextWindow;
    frame.setCentralWidget(window);
    frame.resize(700, 400);
    frame.show();
    units.attachNewWindow(window);
  }
  void TearDown() override { clearSettings(); }

  QString siteFile() const { return data.filePath(QStringLiteral("site.rwl")); }

  // Drops `urls` on the frame, as a file manager would, offering `actions`
  // with `keys` held; the action the drop was accepted with, IgnoreAction
  // when it was refused.
  Qt::DropAction drop(const QList<QUrl>& urls, Qt::DropActions actions = Qt::CopyAction,
                      Qt::KeyboardModifiers keys = Qt::NoModifier) {
    QMimeData mime;
    mime.setUrls(urls);
    QDropEvent event(QPointF(100, 100), actions, &mime, Qt::LeftButton, keys);
    // QApplication hands a drop only to the widget its drag manager entered,
    // which a test cannot reach: the event goes to the frame's filter as
    // QApplication would pass it.
    EXPECT_TRUE(frame.acceptDrops());
    EXPECT_TRUE(fileDrop.eventFilter(&frame, &event));
    return event.isAccepted() ? event.dropAction() : Qt::IgnoreAction;
  }
  // The same drag entering the frame: the action it would drop with.
  Qt::DropAction enter(Qt::DropActions actions, Qt::KeyboardModifiers keys) {
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(siteFile())});
    QDragEnterEvent event(QPoint(100, 100), actions, &mime, Qt::LeftButton, keys);
    EXPECT_TRUE(fileDrop.eventFilter(&frame, &event));
    return event.isAccepted() ? event.dropAction() : Qt::IgnoreAction;
  }

  QTemporaryDir data;
  window::HostState state;
  window::UnitWindowTable units;
  FakeDialogs dialogs;
  window::ConsoleHooks hooks{state, units, dialogs};
  QMainWindow frame;
  TextWindow* window = nullptr;
  window::FileDrop fileDrop{frame, units};
};

TEST_F(DesktopTest, OneFileDroppedAtTheFileNamePromptIsTypedAndEntered) {
  window->appendOutput(kFileNamePrompt);
  window->beginRead();
  drop({QUrl::fromLocalFile(siteFile())});
  EXPECT_FALSE(window->model().waiting());  // Enter ended the read
  EXPECT_EQ(records::toUtf8(window->model().lines().back()), kFileNamePrompt + siteFile().toStdString());
  EXPECT_EQ(window->model().takeInput(1024), siteFile().toStdString() + "\r\n");
  EXPECT_TRUE(frame.statusBar()->currentMessage().isEmpty());
  EXPECT_EQ(settings::dataFolder(), data.path());  // the chooser opens there next
}

// A file manager told that a drop moved the file may delete the user's data
// file: veska takes every drop as a copy, and refuses a drag that offers no
// copy, even when Shift asks the file manager for a move.
TEST_F(DesktopTest, ADropIsTakenAsACopyOnly) {
  const struct {
    const char* name;
    Qt::DropActions offered;
    Qt::KeyboardModifiers keys;
    Qt::DropAction taken;
  } cases[] = {
      {"copy offered", Qt::CopyAction | Qt::MoveAction, Qt::NoModifier, Qt::CopyAction},
      {"a move-drag with Shift", Qt::CopyAction | Qt::MoveAction | Qt::LinkAction, Qt::ShiftModifier, Qt::CopyAction},
      {"a link-drag", Qt::CopyAction | Qt::LinkAction, Qt::ControlModifier | Qt::ShiftModifier, Qt::CopyAction},
      {"move only", Qt::MoveAction, Qt::NoModifier, Qt::IgnoreAction},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.taken == Qt::CopyAction) {
      EXPECT_EQ(enter(c.offered, c.keys), Qt::CopyAction);
    }
    window->appendOutput("\r\n");
    window->appendOutput(kFileNamePrompt);
    window->beginRead();
    frame.statusBar()->clearMessage();
    EXPECT_EQ(drop({QUrl::fromLocalFile(siteFile())}, c.offered, c.keys), c.taken);
    EXPECT_EQ(window->model().waiting(), c.taken == Qt::IgnoreAction);
    EXPECT_EQ(frame.statusBar()->currentMessage().isEmpty(), c.taken == Qt::CopyAction);
    if (window->model().waiting()) window->typeCharacters(U"\r");  // ends this read
    (void)window->model().takeInput(1024);
  }
}

TEST_F(DesktopTest, EveryOtherDropChangesNothingAndSaysWhy) {
  struct Case {
    const char* name;
    const char* prompt;
    bool reading;
    const char* typed;
    QList<QUrl> urls;
  };
  const QUrl site = QUrl::fromLocalFile(siteFile());
  const std::vector<Case> cases = {
      {"no read waits", kFileNamePrompt, false, "", {site}},
      {"another prompt", kOtherPrompt, true, "", {site}},
      {"something typed already", kFileNamePrompt, true, "x", {site}},
      {"two files", kFileNamePrompt, true, "", {site, site}},
      {"not a local file", kFileNamePrompt, true, "", {QUrl("https://example.org/site.rwl")}},
      {"a folder", kFileNamePrompt, true, "", {QUrl::fromLocalFile(data.path())}},
      {"no file at all", kFileNamePrompt, true, "", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    window->appendOutput("\r\n");
    window->appendOutput(c.prompt);
    if (c.reading) window->beginRead();
    window->typeCharacters(records::decodeLine(c.typed));
    frame.statusBar()->clearMessage();
    const std::vector<std::u32string> before = window->model().lines();
    drop(c.urls);
    EXPECT_EQ(window->model().lines(), before);
    EXPECT_EQ(window->model().waiting(), c.reading);
    EXPECT_FALSE(frame.statusBar()->currentMessage().isEmpty());
    if (c.reading) window->typeCharacters(U"\r");  // ends this read
    (void)window->model().takeInput(1024);
  }
  EXPECT_TRUE(settings::dataFolder().isEmpty());
}

TEST_F(DesktopTest, ChooserOffersTreeRingFilesFirstAndOpensWhereTheLastFileWas) {
  dialogs.files = {siteFile(), QString()};
  EXPECT_EQ(hooks.chooseFileForEmptyName(), siteFile().toStdString());
  EXPECT_EQ(hooks.chooseFileForEmptyName(), std::nullopt);  // Cancel
  ASSERT_EQ(dialogs.fileDialogStarts.size(), 2u);
  EXPECT_EQ(dialogs.fileDialogStarts[0], QDir::currentPath());  // nothing chosen before
  EXPECT_EQ(dialogs.fileDialogStarts[1], data.path());
  EXPECT_EQ(dialogs.fileDialogFilters,
            QStringList({"Tree-ring files (*.rwl *.crn *.raw *.fh *.csv *.txt *.dat *.xml *.d *.cat *.CAT)", "All Files (*)"}));
}

TEST_F(DesktopTest, AFolderThatIsGoneIsNotWhereTheChooserOpens) {
  settings::rememberDataFile(data.filePath(QStringLiteral("gone/site.rwl")));
  EXPECT_TRUE(settings::dataFolder().isEmpty());
}

TEST_F(DesktopTest, FrameGeometryAndMaximisedStateComeBack) {
  QMainWindow first;
  first.setGeometry(120, 80, 910, 650);
  first.show();
  settings::saveFrame(first);
  QMainWindow second;
  ASSERT_TRUE(settings::restoreFrame(second));
  EXPECT_EQ(second.size(), QSize(910, 650));
  EXPECT_FALSE(second.windowState() & Qt::WindowMaximized);

  first.showMaximized();
  settings::saveFrame(first);
  QMainWindow third;
  ASSERT_TRUE(settings::restoreFrame(third));
  EXPECT_TRUE(third.windowState() & Qt::WindowMaximized);
}

TEST_F(DesktopTest, ACorruptSettingsFileIsIgnoredAndWrittenAfresh) {
  const QString file = QSettings(QStringLiteral("veska"), QStringLiteral("veska")).fileName();
  ASSERT_TRUE(QDir().mkpath(QFileInfo(file).absolutePath()));
  static constexpr char kBinary[] = "\xff\xfe\x00[frame\x01\ngeometry=@ByteArray(\x02\x03";
  static constexpr char kWrongValues[] = "[frame]\ngeometry=not a geometry\n[files]\ndataFolder=@Variant(\x00\x01)\n";
  for (const QByteArray& junk : {QByteArray(kBinary, sizeof kBinary - 1), QByteArray(kWrongValues, sizeof kWrongValues - 1)}) {
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
    out.write(junk);
    out.close();
    QMainWindow frame;
    frame.resize(640, 480);
    EXPECT_FALSE(settings::restoreFrame(frame));
    EXPECT_EQ(frame.size(), QSize(640, 480));  // the defaults stand
    EXPECT_TRUE(settings::dataFolder().isEmpty());
    frame.resize(700, 500);
    settings::saveFrame(frame);
    settings::rememberDataFile(siteFile());
    QMainWindow again;
    ASSERT_TRUE(settings::restoreFrame(again));
    EXPECT_EQ(again.size(), QSize(700, 500));
    EXPECT_EQ(settings::dataFolder(), data.path());
  }
}

// The whole host: the first start shows the Input/Output window whole; the
// frame closed by Exit opens at the next start as it was left.
TEST_F(DesktopTest, TheHostsFrameReopensWhereItWasLeft) {
  QSize left;
  {
    window::Host host(dialogs, [&](runtime::Runtime&) {
      window::FrameWindow* frame = host.frame();
      const QRect room = frame->mdiArea()->viewport()->rect();
      EXPECT_TRUE(room.contains(host.consoleWindow()->parentWidget()->geometry()));
      frame->resize(frame->width() + 37, frame->height() + 23);
      left = frame->size();
      frame->actions().exit->trigger();
    });
    host.run();
  }
  window::Host host(dialogs, [&](runtime::Runtime&) {
    EXPECT_EQ(host.frame()->size(), left);
    host.frame()->actions().exit->trigger();
  });
  host.run();
}

}  // namespace
}  // namespace veska::test
