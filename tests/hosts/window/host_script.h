// Plays the user of a running host: each time a console read waits, the next
// answer is typed into the Input/Output window with QTest, from inside the
// read's event loop, as a person would type it.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include <QMdiSubWindow>
#include <QString>
#include <QTest>
#include <QTimer>

#include "hosts/window/frame_window.h"
#include "hosts/window/host.h"
#include "hosts/window/text_window.h"
#include "records/text.h"

namespace veska::test {

// Types `text` into `widget` one key at a time. QTest knows keys only for
// ASCII; any other character comes as a key event carrying just its text,
// as an input method would deliver it.
inline void typeText(QWidget* widget, const QString& text) {
  for (const QChar c : text) {
    if (c.unicode() < 128) {
      QTest::keyClick(widget, c.toLatin1());
    } else {
      QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
  }
}

class Typist {
 public:
  Typist(window::Host& host, std::vector<QString> answers) : host_(host), answers_(answers.begin(), answers.end()) {
    QObject::connect(&host.state(), &window::HostState::readWaiting, &host.state(),
                     [this] { QTimer::singleShot(0, &host_.state(), [this] { next(); }); });
    QObject::connect(&host.state(), &window::HostState::finalWaitEntered, &host.state(), [this] {
      QTimer::singleShot(0, &host_.state(), [this] {
        if (atFinalWait) atFinalWait();
      });
    });
  }

  // What to do when a read waits and no answer is left, and in the final wait.
  std::function<void()> whenOutOfAnswers;
  std::function<void()> atFinalWait;
  int reads = 0;

 private:
  void next() {
    ++reads;
    if (answers_.empty()) {
      if (whenOutOfAnswers) whenOutOfAnswers();
      return;
    }
    window::TextWindow* window = host_.consoleWindow();
    typeText(window, answers_.front());
    QTest::keyClick(window, Qt::Key_Return);
    answers_.pop_front();
  }

  window::Host& host_;
  std::deque<QString> answers_;
};

// The user clicks the Input/Output window's close box.
inline void closeConsoleWindow(window::Host& host) {
  if (window::TextWindow* window = host.consoleWindow()) window->parentWidget()->close();
}

// Every line of the Input/Output window, as UTF-8.
inline std::vector<std::string> windowLines(const window::TextWindow& window) {
  std::vector<std::string> lines;
  for (const std::u32string& line : window.model().lines()) lines.push_back(records::toUtf8(line));
  return lines;
}

}  // namespace veska::test
