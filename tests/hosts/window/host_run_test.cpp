// The host's main routine in-process: start-up, the run on the GUI thread,
// Exit and closing at every stage, and the run's exit status.
#include "hosts/window/host.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QElapsedTimer>
#include <QEvent>
#include <QMdiSubWindow>

#include "hosts/window/frame_window.h"
#include "hosts/window/fake_dialogs.h"
#include "hosts/window/host_script.h"
#include "hosts/window/sample_data.h"
#include "support/test_support.h"

namespace veska::test {
namespace {

using window::Host;
using window::TextWindow;

// Whether the host entered its final wait loop.
struct FinalWaitWatch {
  explicit FinalWaitWatch(Host& host) {
    QObject::connect(&host.state(), &window::HostState::finalWaitEntered, &host.state(), [this] { entered = true; });
  }
  bool entered = false;
};

// Counts the paint events a widget receives.
struct PaintCounter : QObject {
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return QObject::eventFilter(watched, event);
  }
  int paints = 0;
};

class HostRunTest : public ::testing::Test {
 protected:
  void chooseExit(Host& host) { host.frame()->actions().exit->trigger(); }
  static bool shows(const std::vector<std::string>& lines, const std::string& text) {
    for (const std::string& line : lines) {
      if (line.find(text) != std::string::npos) return true;
    }
    return false;
  }

  TempDir dir;
  FakeDialogs dialogs;
};

TEST_F(HostRunTest, StartUpShowsTheFrameAndTheInputOutputWindowBeforeTheProgram) {
  bool ran = false;
  Host host(dialogs, [&](runtime::Runtime&) {
    ran = true;
    window::FrameWindow* frame = host.frame();
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(frame->objectName(), "frameWindow");
    EXPECT_EQ(frame->windowTitle(), "test_host");  // the program file, without its directory
    EXPECT_FALSE(frame->windowIcon().isNull());
    TextWindow* window = host.consoleWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), "Input/Output");
    EXPECT_EQ(window->parentWidget()->geometry(), QRect(15, 15, 600, 300));
    EXPECT_FALSE(window->parentWidget()->windowIcon().isNull());
    EXPECT_EQ(host.units().windowFor(-1), window);
    EXPECT_EQ(host.units().usedSlots(), 1);
    EXPECT_EQ(host.state().openWindowCount(), 1);
    EXPECT_EQ(frame->activeTextWindow(), window);
  });
  EXPECT_EQ(host.run(), 0);
  EXPECT_TRUE(ran);
}

TEST_F(HostRunTest, ExitDuringAReadEndsTheRunAtOnceWithCodeZero) {
  Host host(dialogs);
  FinalWaitWatch finalWait(host);
  Typist typist(host, {});
  typist.whenOutOfAnswers = [&] { chooseExit(host); };
  EXPECT_EQ(host.run(), 0);
  EXPECT_EQ(typist.reads, 1);
  EXPECT_EQ(host.state().openWindowCount(), 0);
  EXPECT_FALSE(finalWait.entered);
  EXPECT_TRUE(dialogs.boxes.empty());
  EXPECT_FALSE(std::filesystem::exists(dir.file("VESKA.OUT")));  // stopped at the first question
}

TEST_F(HostRunTest, ExitWhileTheProgramWritesEndsTheRunAtItsNextStatement) {
  bool pastNextStatement = false;
  Host host(dialogs, [&](runtime::Runtime& rt) {
    QTimer::singleShot(0, host.frame(), [&] { chooseExit(host); });
    rt.writeConsole(" working");  // the Exit runs in this write's drain
    rt.writeConsole(" more");
    pastNextStatement = true;
    rt.endRun(" ", runtime::kExitDataLimit);
  });
  FinalWaitWatch finalWait(host);
  EXPECT_EQ(host.run(), 0);
  EXPECT_FALSE(pastNextStatement);
  EXPECT_FALSE(finalWait.entered);
}

TEST_F(HostRunTest, LeavingBeforeTheClosingMessageMarksTheReportAfterItNot) {
  const std::string mark = " *** Run stopped before its end: this report is incomplete ***\n";
  const auto data = writeSampleRingWidths(dir.file("site.rwl"));
  struct Case {
    const char* what;
    std::vector<QString> answers;  // then the way out, at the next read
    bool closeFrame;
    bool marked;
  };
  const Case cases[] = {
      {"Exit at the dated question", {QString::fromStdString(data.string()), "M"}, false, true},
      {"the frame closed at the dated question", {QString::fromStdString(data.string()), "M"}, true, true},
      {"Exit at the closing message", {QString::fromStdString(data.string()), "M", "N"}, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::filesystem::remove(dir.file("VESKA.OUT"));
    Host host(dialogs);
    Typist typist(host, c.answers);
    typist.whenOutOfAnswers = [&] {
      if (c.closeFrame) host.frame()->close();
      else chooseExit(host);
    };
    EXPECT_EQ(host.run(), 0);
    const std::string report = readFile(dir.file("VESKA.OUT"));
    EXPECT_TRUE(report.starts_with("\n  UNDATED TREE-RING SERIES:\n")) << report;
    EXPECT_EQ(report.ends_with(mark), c.marked) << report;
    EXPECT_EQ(report.find("BEST THREE MATCHING POSITIONS") != std::string::npos, !c.marked) << report;
  }
}

TEST_F(HostRunTest, CancelledExitLeavesTheRunGoing) {
  Host host(dialogs);
  Typist typist(host, {});
  int asked = 0;
  typist.whenOutOfAnswers = [&] {
    host.consoleWindow()->setCloseGuard([&](TextWindow&) { return ++asked > 1; });
    chooseExit(host);
    EXPECT_FALSE(host.state().closing);
    EXPECT_FALSE(host.state().quitCode());
    ASSERT_EQ(host.state().openWindowCount(), 1);
    QTest::keyClicks(host.consoleWindow(), "/");  // the read still waits: bail out
    QTest::keyClick(host.consoleWindow(), Qt::Key_Return);
  };
  typist.atFinalWait = [&] { host.frame()->close(); };
  EXPECT_EQ(host.run(), 0);
  EXPECT_EQ(asked, 2);
  EXPECT_TRUE(host.state().finalWait);
}

TEST_F(HostRunTest, ClosingTheFrameInTheFinalWaitEndsWithTheRunsStatus) {
  Host host(dialogs, [](runtime::Runtime& rt) {
    rt.writeConsole(" stopped by a data limit");
    rt.endRun(" ", runtime::kExitDataLimit);
  });
  bool waited = false;
  QObject::connect(&host.state(), &window::HostState::finalWaitEntered, &host.state(), [&] {
    waited = true;
    // The windows stay usable in the final wait.
    EXPECT_TRUE(host.consoleWindow()->isVisible());
    QTimer::singleShot(0, host.frame(), [&] { host.frame()->close(); });
  });
  EXPECT_EQ(host.run(), runtime::kExitDataLimit);
  EXPECT_TRUE(waited);
  EXPECT_EQ(host.state().openWindowCount(), 0);
  EXPECT_EQ(host.frame()->windowTitle(), "test_host - run finished");  // a stop ends the run too
}

// Output that streams is shown about once a screen frame, not once a line:
// a repaint per line made long runs many times slower than in veska-console.
TEST_F(HostRunTest, StreamingOutputIsRepaintedAtMostOnceAFrame) {
  constexpr int kLines = 5000;
  PaintCounter counter;
  qint64 elapsed = 0;
  int paintsWhileWriting = 0;
  Host host(dialogs, [&](runtime::Runtime& rt) {
    QWidget* view = host.consoleWindow()->viewport();
    // The first showing of the window is not output.
    ASSERT_TRUE(QTest::qWaitForWindowExposed(host.frame()));
    QCoreApplication::processEvents();
    view->installEventFilter(&counter);
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < kLines; ++i) rt.writeConsole(" Series " + std::to_string(i) + " matched");
    elapsed = clock.elapsed();
    paintsWhileWriting = counter.paints;
    rt.endRun(" ", runtime::kExitNormal);
  });
  Typist typist(host, {});
  int paintsAtTheEnd = 0;
  typist.atFinalWait = [&] {
    (void)QTest::qWaitFor([&] { return counter.paints > paintsWhileWriting; }, 1000);
    paintsAtTheEnd = counter.paints;
    host.frame()->close();
  };
  EXPECT_EQ(host.run(), 0);
  // At most one repaint per 16 ms frame, and one for the last lines.
  EXPECT_LE(paintsWhileWriting, elapsed / 16 + 2) << elapsed << " ms";
  EXPECT_LT(paintsWhileWriting, kLines / 10);
  EXPECT_GT(paintsAtTheEnd, paintsWhileWriting);  // the last lines are shown
  EXPECT_GE(windowLines(*host.consoleWindow()).size(), static_cast<std::size_t>(kLines));
}

TEST_F(HostRunTest, ClosingTheInputOutputWindowDuringAReadIsAWindowHandlerError) {
  Host host(dialogs);
  FinalWaitWatch finalWait(host);
  Typist typist(host, {});
  typist.whenOutOfAnswers = [&] { closeConsoleWindow(host); };
  EXPECT_EQ(host.run(), -1);
  ASSERT_EQ(dialogs.boxes.size(), 1u);
  EXPECT_EQ(dialogs.boxes[0].text, "Not a valid window, program exited.");
  EXPECT_EQ(dialogs.boxes[0].caption, "Window Handler Error");
  EXPECT_FALSE(finalWait.entered);
}

TEST_F(HostRunTest, WritingWithoutTheWindowQuitsQuietly) {
  Host host(dialogs, [&](runtime::Runtime& rt) {
    closeConsoleWindow(host);
    rt.writeConsole(" nobody sees this");
    rt.endRun(" ", runtime::kExitNormal);
  });
  EXPECT_EQ(host.run(), -1);
  EXPECT_TRUE(dialogs.boxes.empty());
}

// A folder named VESKA.OUT is left as it is; the run stops on the System
// Error box before anything is written.
TEST_F(HostRunTest, ReportPathThatIsAFolderShowsTheSystemErrorBox) {
  const auto data = writeSampleRingWidths(dir.file("site.rwl"));
  std::filesystem::create_directory(dir.file("VESKA.OUT"));
  Host host(dialogs);
  FinalWaitWatch finalWait(host);
  Typist typist(host, {QString::fromStdString(data.string())});
  EXPECT_EQ(host.run(), runtime::kExitIoFailure);
  const std::vector<std::string> lines = windowLines(*host.consoleWindow());
  ASSERT_GE(lines.size(), 2u);
  const std::string& message = lines[lines.size() - 2];
  EXPECT_EQ(message, "    *** VESKA.OUT is a link or not a plain file: left as it is ***");
  EXPECT_EQ(lines.back(), "error code = 2");
  ASSERT_EQ(dialogs.boxes.size(), 1u);
  EXPECT_EQ(dialogs.boxes[0].caption, "System Error");
  // The box's text is cut to its hundred characters.
  EXPECT_EQ(dialogs.boxes[0].text.toStdString().rfind("System Error found! \"" + message + "\"", 0), 0u);
  EXPECT_TRUE(std::filesystem::is_directory(dir.file("VESKA.OUT")));
  EXPECT_FALSE(finalWait.entered);  // the box ends the program
}

TEST_F(HostRunTest, SystemErrorMessageIsCutToOneHundredCharacters) {
  Host host(dialogs, [](runtime::Runtime& rt) { rt.fatalIo("write", std::string(150, 'x'), "No space left on device"); });
  EXPECT_EQ(host.run(), runtime::kExitIoFailure);
  ASSERT_EQ(dialogs.boxes.size(), 1u);
  EXPECT_EQ(dialogs.boxes[0].text.size(), 100);
  EXPECT_TRUE(dialogs.boxes[0].text.startsWith("System Error found! \" *** Cannot write xxx"));
}

TEST_F(HostRunTest, EmptyFileNameOpensTheChooserAndCancelAsksAgain) {
  const auto data = writeSampleRingWidths(dir.file("site.rwl"));
  dialogs.files = {QString(), QString::fromStdString(data.string())};
  Host host(dialogs);
  Typist typist(host, {"", "", "M", "N", ""});
  std::vector<std::string> shown;
  QString titleDuringRun;
  QString titleAtTheEnd;
  QObject::connect(&host.state(), &window::HostState::readWaiting, &host.state(),
                   [&] { titleDuringRun = host.frame()->windowTitle(); });
  typist.atFinalWait = [&] {
    shown = windowLines(*host.consoleWindow());
    titleAtTheEnd = host.frame()->windowTitle();
    host.frame()->close();
  };
  EXPECT_EQ(host.run(), 0);
  EXPECT_EQ(dialogs.fileDialogs, 2);
  EXPECT_TRUE(shows(shown, "*** FILE CANNOT BE OPENED. TRY AGAIN OR BAILOUT ***"));
  EXPECT_TRUE(shows(shown, "Ring widths (M) or Indices (I)"));
  EXPECT_TRUE(std::filesystem::exists(dir.file("VESKA.OUT")));
  // The chosen file stands behind its prompt as if typed; the cancelled
  // choice leaves its prompt blank, as the empty answer was.
  std::string prompt = " File name (/ to exit)";
  prompt.resize(44, ' ');
  prompt += "==> ";
  std::vector<std::string> prompts;
  for (const std::string& line : shown) {
    if (line.rfind(prompt, 0) == 0) prompts.push_back(line);
  }
  ASSERT_EQ(prompts.size(), 2u);
  EXPECT_EQ(prompts[0], prompt);
  EXPECT_EQ(prompts[1], prompt + data.string());
  // Waiting for the closing Enter the run is still going; after it, it is over.
  EXPECT_EQ(titleDuringRun, "test_host");
  EXPECT_EQ(titleAtTheEnd, "test_host - run finished");
}

}  // namespace
}  // namespace veska::test
