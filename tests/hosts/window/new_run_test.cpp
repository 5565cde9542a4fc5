// Runs after runs and veska beside veska: File > New Run starts the dialogue
// again in a fresh Input/Output window and the program ends with the last
// run's status; a report held by another run is said in the user's words;
// a second frame opens aside from the first.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdio>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>
#include <QStatusTipEvent>

#include "hosts/window/evidence_windows.h"
#include "hosts/window/fake_dialogs.h"
#include "hosts/window/frame_slot.h"
#include "hosts/window/frame_window.h"
#include "hosts/window/host.h"
#include "hosts/window/host_script.h"
#include "hosts/window/sample_data.h"
#include "hosts/window/text_window.h"
#include "support/test_support.h"

namespace veska::test {
namespace {

using window::Host;
using window::TextWindow;

bool shows(const TextWindow& window, const std::string& text) {
  for (const std::string& line : windowLines(window))
    if (line.find(text) != std::string::npos) return true;
  return false;
}

QString seriesReadText(Host& host) {
  const auto* label = host.frame()->statusBar()->findChild<QLabel*>("seriesRead");
  return label && label->isVisible() ? label->text() : QString();
}

TEST(NewRun, StartsTheDialogueAgainInAFreshWindowAndEndsWithTheLastRunsStatus) {
  TempDir dir;
  FakeDialogs dialogs;
  const auto data = writeSampleRingWidths(dir.file("site.rwl"));
  std::string titles;
  for (int k = 0; k < 26; ++k) titles += "a title line\n";
  writeFile(dir.file("titles.rwl"), titles);
  const QString site = QString::fromStdString(data.string());
  // The first run ends normally; the second stops on a data limit (status 3).
  Host host(dialogs);
  Typist typist(host, {site, "M", "N", "", "titles.rwl", "M"});
  std::vector<TextWindow*> consoles;
  std::vector<bool> newRunDuringReads;
  std::vector<QString> statusAtReads;
  std::string firstReport;
  QObject::connect(&host.state(), &window::HostState::readWaiting, &host.state(), [&] {
    newRunDuringReads.push_back(host.frame()->actions().newRun->isEnabled());
    statusAtReads.push_back(seriesReadText(host));
  });
  typist.atFinalWait = [&] {
    consoles.push_back(host.consoleWindow());
    if (consoles.size() == 1) {
      firstReport = readFile(dir.file("VESKA.OUT"));
      EXPECT_TRUE(host.frame()->actions().newRun->isEnabled());
      host.frame()->actions().newRun->trigger();
      EXPECT_FALSE(host.frame()->actions().newRun->isEnabled());  // asked once
    } else {
      host.frame()->actions().exit->trigger();
    }
  };
  EXPECT_EQ(host.run(), runtime::kExitDataLimit);
  ASSERT_EQ(consoles.size(), 2u);
  ASSERT_NE(consoles[0], consoles[1]);
  for (bool enabled : newRunDuringReads) EXPECT_FALSE(enabled);  // never while a run waits for an answer
  // The new run's first question: nothing read yet in this run.
  ASSERT_GE(statusAtReads.size(), 5u);
  EXPECT_EQ(statusAtReads[3], "site.rwl: 2 series, 1900 to 1959");
  EXPECT_EQ(statusAtReads[4], "");
  // Both windows stayed open until Exit closed them, each with its own run.
  EXPECT_TRUE(shows(*consoles[0], "Normal Termination of Program"));
  EXPECT_FALSE(shows(*consoles[0], "titles.rwl"));
  EXPECT_TRUE(shows(*consoles[1], "Over 25 text lines"));
  EXPECT_FALSE(shows(*consoles[1], "Normal Termination of Program"));
  EXPECT_EQ(windowLines(*consoles[1]).at(1), " Open up UNDATED tree-ring data file:");
  // The second run replaced the report, as its dialogue says.
  EXPECT_NE(firstReport.find("TST01"), std::string::npos);
  EXPECT_EQ(readFile(dir.file("VESKA.OUT")).find("TST01"), std::string::npos);
}

// An ended run's report window keeps its run's report: the next run's
// VESKA.OUT changes neither its lines nor the pair a double-click opens. The
// first report is longer than the block of lines the window holds, so its
// lines are read again from the file as they are looked at.
TEST(NewRun, AnEndedRunsReportWindowKeepsItsOwnReport) {
  TempDir dir;
  FakeDialogs dialogs;
  std::string many;
  char line[128];
  for (int s = 1; s <= 30; ++s) {
    for (int decade = 1900; decade < 1960; decade += 10) {
      std::snprintf(line, sizeof line, "MANY%02d  %4d", s, decade);
      many += line;
      for (int year = decade; year < decade + 10; ++year) {
        std::snprintf(line, sizeof line, "%6d", 80 + (year * 37 + s * 11 + year * s % 13) % 97);
        many += line;
      }
      many += "\r\n";
    }
    std::snprintf(line, sizeof line, "MANY%02d  %4d%6d\r\n", s, 1960, 999);
    many += line;
  }
  writeFile(dir.file("many.rwl"), many);
  writeSampleRingWidths(dir.file("site.rwl"));
  Host host(dialogs);
  Typist typist(host, {"many.rwl", "M", "N", "", "site.rwl", "M", "N", ""});
  window::EvidenceWindows* first = nullptr;
  std::vector<std::string> firstLines;
  int pairRow = -1;
  int finalWaits = 0;
  typist.atFinalWait = [&] {
    if (++finalWaits == 1) {
      first = host.evidence();
      ASSERT_NE(first, nullptr);
      std::string text;
      for (const char c : readFile(dir.file("VESKA.OUT"))) {
        if (c != '\n') {
          text += c;
          continue;
        }
        if (!text.empty() && text.back() == '\r') text.pop_back();
        if (pairRow < 0 && text.find("MANY01") != std::string::npos && text.find("MANY02") != std::string::npos)
          pairRow = static_cast<int>(firstLines.size());
        firstLines.push_back(text);
        text.clear();
      }
      host.frame()->actions().newRun->trigger();
      return;
    }
    // Checked in a function of its own, so that a failed assertion still
    // lets the run end.
    [&] {
      ASSERT_NE(first, host.evidence());
      ASSERT_NE(first->reportWindow(), nullptr);
      EXPECT_EQ(readFile(dir.file("VESKA.OUT")).find("MANY01"), std::string::npos);  // the new run's report
      ASSERT_GT(firstLines.size(), 300u);
      std::vector<std::string> shown;
      const window::TextWindowModel& model = first->reportWindow()->model();
      for (int row = 0; row < model.lineCount(); ++row) shown.push_back(records::toUtf8(model.line(row)));
      EXPECT_EQ(shown, firstLines);
      ASSERT_GE(pairRow, 0);
      const auto pair = first->pairAtReportRow(pairRow);
      ASSERT_TRUE(pair.has_value());
      EXPECT_EQ(*pair, 0u);
    }();
    host.frame()->actions().exit->trigger();
  };
  EXPECT_EQ(host.run(), 0);
  EXPECT_EQ(finalWaits, 2);
}

// The transcript stays as the terminal's; the status bar sums up each file,
// and a menu's status tip does not wipe it out.
TEST(NewRun, AfterEachDataFileTheStatusBarSaysHowManySeriesOverWhichYears) {
  TempDir dir;
  FakeDialogs dialogs;
  writeSampleRingWidths(dir.file("site.rwl"));
  writeFile(dir.file("one.rwl"), "ONE     1801   120   130   999\n");
  Host host(dialogs);
  Typist typist(host, {"site.rwl", "M", "Y", "one.rwl", "M", ""});
  std::vector<QString> messages;
  QObject::connect(&host.state(), &window::HostState::readWaiting, &host.state(),
                   [&] { messages.push_back(seriesReadText(host)); });
  typist.atFinalWait = [&] {
    QStatusTipEvent tip{QString()};  // as the mouse leaves a menu entry
    QApplication::sendEvent(host.frame(), &tip);
    messages.push_back(seriesReadText(host));
    host.frame()->actions().exit->trigger();
  };
  EXPECT_EQ(host.run(), 0);
  // At each question: the file name, its kind, whether dated series follow,
  // the dated file's name and kind, the closing Enter; then after a tip.
  ASSERT_EQ(messages.size(), 7u);
  EXPECT_EQ(messages[0], "");
  EXPECT_EQ(messages[2], "site.rwl: 2 series, 1900 to 1959");
  EXPECT_EQ(messages[5], "one.rwl: 1 series, 1801 to 1802");
  EXPECT_EQ(messages[6], messages[5]);
  EXPECT_FALSE(shows(*host.consoleWindow(), "series, 1900"));
}

TEST(NewRun, AReportHeldByAnotherRunIsSaidInTheUsersWords) {
  TempDir dir;
  FakeDialogs dialogs;
  const auto data = writeSampleRingWidths(dir.file("site.rwl"));
  // Another run holds the report's lock, as a running veska does.
  const int held = ::open(dir.file("VESKA.OUT").c_str(), O_WRONLY | O_CREAT, 0666);
  ASSERT_GE(held, 0);
  ASSERT_EQ(::flock(held, LOCK_EX | LOCK_NB), 0);
  Host host(dialogs);
  Typist typist(host, {QString::fromStdString(data.string())});
  EXPECT_EQ(host.run(), runtime::kExitIoFailure);
  ::close(held);
  const std::vector<std::string> lines = windowLines(*host.consoleWindow());
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[lines.size() - 2], " *** VESKA.OUT is in use by another run ***");
  ASSERT_EQ(dialogs.boxes.size(), 1u);
  EXPECT_EQ(dialogs.boxes[0].caption, "veska");
  EXPECT_EQ(dialogs.boxes[0].text, "Another veska run is writing VESKA.OUT in this folder. Wait for it to end, "
                                   "or start veska in another folder.");
}

TEST(FramePlacement, ASecondFrameOpensAsideFromTheFirstAndItsPlaceIsFreedWithIt) {
  auto first = std::make_unique<window::FrameSlot>();
  window::FrameSlot second;
  EXPECT_EQ(first->earlierFrames(), 0);
  EXPECT_EQ(second.earlierFrames(), 1);
  first.reset();
  EXPECT_EQ(window::FrameSlot().earlierFrames(), 0);

  // Saved maximised, the second frame opens at its normal size, moved aside.
  QMainWindow frame;
  frame.setGeometry(60, 50, 500, 400);
  frame.setWindowState(Qt::WindowMaximized);
  window::placeBesideEarlierFrames(frame, second.earlierFrames());
  EXPECT_FALSE(frame.isMaximized());
  EXPECT_EQ(frame.geometry().topLeft(), QPoint(100, 90));
}

}  // namespace
}  // namespace veska::test
