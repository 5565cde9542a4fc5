// A test build of the windowed host: the real host and run driver, with a
// scripted user instead of a person, so that tests can look at what the
// process does as a whole (its exit code, what it leaves behind).
//
//   host_driver SCENARIO [ANSWER...]
// Each answer is typed when a read waits; when the answers run out:
//   exit-during-read          chooses File > Exit
//   close-window-during-read  closes the Input/Output window
//   answer                    (nothing: the answers must lead to the end)
// In the final wait the frame is closed. Message boxes are printed on
// standard output as "caption: text"; the save question is answered No.
#include <cstdio>

#include <QApplication>
#include <QAction>
#include <QStandardPaths>

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
  veska::test::Typist typist(host, answers);
  if (scenario == "exit-during-read") {
    typist.whenOutOfAnswers = [&] { host.frame()->actions().exit->trigger(); };
  } else if (scenario == "close-window-during-read") {
    typist.whenOutOfAnswers = [&] { veska::test::closeConsoleWindow(host); };
  } else if (scenario != "answer") {
    return 101;
  }
  typist.atFinalWait = [&] { host.frame()->close(); };
  return host.run();
}
