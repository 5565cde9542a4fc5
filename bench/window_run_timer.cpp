// Times a run of the windowed host for bench/window-pace.sh: the real host
// and run driver, with each answer typed into the Input/Output window when
// a read waits, as a person would. Prints the seconds from typing the last
// answer to the closing prompt's read, then ends the run with Enter and
// closes the frame. Only for benchmarks; users never get this program.
//
//   window_run_timer ANSWER...
// With VESKA_SCREENSHOT=file.png set, the screen is saved to that file in the
// final wait, before the frame closes.
#include <cstdio>
#include <deque>

#include <QApplication>
#include <QElapsedTimer>
#include <QPixmap>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include "hosts/window/fake_dialogs.h"
#include "hosts/window/frame_window.h"
#include "hosts/window/host.h"
#include "hosts/window/host_script.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  std::deque<QString> answers;
  for (int i = 1; i < argc; ++i) answers.push_back(QString::fromLocal8Bit(argv[i]));
  if (answers.empty()) return 100;

  veska::test::FakeDialogs dialogs;
  veska::window::Host host(dialogs);
  QElapsedTimer clock;
  double seconds = -1;
  const auto nextRead = [&] {
    veska::window::TextWindow* window = host.consoleWindow();
    if (answers.empty()) {
      QTest::keyClick(window, Qt::Key_Return);  // the closing prompt
      return;
    }
    if (answers.size() == 1) clock.start();
    veska::test::typeText(window, answers.front());
    QTest::keyClick(window, Qt::Key_Return);
    answers.pop_front();
  };
  QObject::connect(&host.state(), &veska::window::HostState::readWaiting, &host.state(), [&] {
    if (answers.empty() && seconds < 0) seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    QTimer::singleShot(0, &host.state(), nextRead);
  });
  const QString screenshot = qEnvironmentVariable("VESKA_SCREENSHOT");
  QObject::connect(&host.state(), &veska::window::HostState::finalWaitEntered, &host.state(), [&] {
    QTimer::singleShot(screenshot.isEmpty() ? 0 : 500, host.frame(), [&] {
      if (!screenshot.isEmpty()) QGuiApplication::primaryScreen()->grabWindow(0).save(screenshot);
      host.frame()->close();
    });
  });
  const int status = host.run();
  if (seconds < 0) return 102;
  std::printf("%.3f\n", seconds);
  return status;
}
