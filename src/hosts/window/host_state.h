// Flags the frame, the text windows and the console hooks share: the closing
// flag of the exit sequence, the final wait, the text windows still open and
// the quit request that ends every loop of the host.
#pragma once

#include <optional>
#include <string>

#include <QList>
#include <QObject>
#include <QPointer>

namespace veska::window {

class TextWindow;

class HostState : public QObject {
  Q_OBJECT

 public:
  // Set by Exit; cleared when a text window refuses to close.
  bool closing = false;
  // Set when the run has ended and the host waits for the user to close it.
  bool finalWait = false;
  // The path last chosen in a text window's Save As dialog (UTF-8); the
  // next dialog starts in its directory. Empty until one was chosen.
  std::string textSavePath;

  // The quit code once a quit was requested; the first request holds.
  std::optional<int> quitCode() const { return quitCode_; }
  void requestQuit(int code);

  void windowOpened(TextWindow* window);
  void windowClosed(TextWindow* window);
  // Text windows whose close has not been accepted yet, oldest first.
  QList<TextWindow*> openWindows() const;
  int openWindowCount() const { return static_cast<int>(openWindows().size()); }

  // Announcements of the loops, in which the windows are serviced.
  void announceReadWaiting() { Q_EMIT readWaiting(); }
  void announceFinalWait() { Q_EMIT finalWaitEntered(); }
  void announceRunFinished() { Q_EMIT runFinished(); }

 Q_SIGNALS:
  void quitRequested();
  void readWaiting();
  void finalWaitEntered();
  // The run has ended (its closing Enter, a bail-out or a stop): nothing
  // typed from now on is read.
  void runFinished();

 private:
  std::optional<int> quitCode_;
  QList<QPointer<TextWindow>> open_;
};

}  // namespace veska::window
