// A test build of the windowed host: the real host and run driver, with a
// scripted user instead of a person, so that tests can look at what the
// process does as a whole (its exit code, what it leaves behind).
//
//   host_driver SCENARIO [ANSWER...]
// Each answer is typed when a read waits; when the answers run out:
//   exit-during-read          chooses File > Exit
//   close-window-during-read  closes the Input/Output window
//   answer                    (nothing: the answers must lead to the end)
//   pair-picture              (as answer; then, in the final wait, the pair
//                              with the best t is opened and the frame is
//                              saved as a picture to $VESKA_PICTURE)
//   library-picture FOLDER UNDATED [SERIES]
//                             at the first question, File > Date Against
//                             Library... on FOLDER and UNDATED; once the
//                             result window is open on SERIES (from 0), the
//                             frame is saved as a picture to $VESKA_PICTURE
//                             and closed
// In the final wait the frame is closed. Message boxes are printed on
// standard output as "caption: text"; the save question is answered No.
#include <cstdio>

#include <QApplication>
#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStandardPaths>
#include <QTest>

#include "hosts/window/evidence_windows.h"
#include "hosts/window/library_window.h"
#include "hosts/window/library_windows.h"
#include "hosts/window/pair_window.h"
#include "hosts/window/host.h"
#include "hosts/window/frame_window.h"
#include "hosts/window/fake_dialogs.h"
#include "hosts/window/host_script.h"

int main(int argc, char* argv[]) {
  QStandardPaths::setTestModeEnabled(true);  // never the user's own settings
  QApplication app(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  if (argc < 2) return 100;
  const QString scenario = QString::fromLocal8Bit(argv[1]);
  std::vector<QString> answers;
  for (int i = 2; i < argc; ++i) answers.push_back(QString::fromLocal8Bit(argv[i]));

  veska::test::FakeDialogs dialogs;
  dialogs.onMessageBox = [](const veska::test::FakeDialogs::Box& box) {
    std::printf("%s: %s\n", qPrintable(box.caption), qPrintable(box.text));
    std::fflush(stdout);
  };
  veska::window::Host host(dialogs);
  const bool libraryPicture = scenario == "library-picture";
  veska::test::Typist typist(host, libraryPicture ? std::vector<QString>{} : answers);
  if (scenario == "exit-during-read") {
    typist.whenOutOfAnswers = [&] { host.frame()->actions().exit->trigger(); };
  } else if (scenario == "close-window-during-read") {
    typist.whenOutOfAnswers = [&] { veska::test::closeConsoleWindow(host); };
  } else if (libraryPicture && answers.size() >= 2) {
    dialogs.libraryChoices = {{answers[0], answers[1], ""}};
    typist.whenOutOfAnswers = [&] {
      veska::window::FrameWindow* frame = host.frame();
      frame->resize(1280, 900);
      frame->actions().dateAgainstLibrary->trigger();
      QTRY_VERIFY_WITH_TIMEOUT(host.libraries()->lastWindow() != nullptr, 120000);
      veska::window::LibraryWindow* library = host.libraries()->lastWindow();
      library->parentWidget()->setGeometry(10, 10, 1240, 800);
      library->showSeries(answers.size() > 2 ? answers[2].toInt() : 0);
      QTest::qWait(300);
      frame->grab().save(qEnvironmentVariable("VESKA_PICTURE"));
      frame->close();
    };
  } else if (scenario != "answer" && scenario != "pair-picture") {
    return 101;
  }
  typist.atFinalWait = [&] {
    if (scenario == "pair-picture" && host.evidence()->run()) {
      veska::window::FrameWindow* frame = host.frame();
      frame->resize(1180, 860);
      QTest::qWait(50);
      const auto byT = host.evidence()->run()->pairsByBestT();
      if (!byT.empty()) {
        veska::window::PairWindow* pair = host.evidence()->openPair(byT.front());
        pair->parentWidget()->setGeometry(60, 40, 1080, 740);
      }
      QTest::qWait(200);
      frame->grab().save(qEnvironmentVariable("VESKA_PICTURE"));
    }
    host.frame()->close();
  };
  return host.run();
}
