// The host's main routine: it sets up the console hooks, the menus, the frame
// and the Input/Output window, then runs the program on the GUI thread. The
// windows are serviced from inside the program's console I/O (ConsoleHooks);
// when the run ends, the final wait keeps them open until the user closes
// the frame.
#pragma once

#include <functional>
#include <memory>

#include <QIcon>
#include <QPointer>
#include <QRect>
#include <QString>

#include "hosts/window/console_hooks.h"
#include "hosts/window/host_state.h"
#include "hosts/window/text_window.h"
#include "hosts/window/unit_window_table.h"
#include "runtime/runtime.h"

namespace veska::window {

class Dialogs;
class EvidenceWindows;
class FrameWindow;
class LibraryWindows;

// Exit codes of start-up failures.
inline constexpr int kExitIconsMissing = 0;
inline constexpr int kExitNoWindow = 6;

class Host {
 public:
  // The program run on the console; it ends by unwinding with runtime::RunEnded.
  using Program = std::function<void(runtime::Runtime&)>;

  explicit Host(Dialogs& dialogs);
  Host(Dialogs& dialogs, Program program);
  ~Host();
  Host(const Host&) = delete;
  Host& operator=(const Host&) = delete;

  // Start-up, the run and the final wait; the process's exit code.
  int run();

  HostState& state() { return state_; }
  ConsoleHooks& hooks() { return hooks_; }
  UnitWindowTable& units() { return units_; }
  FrameWindow* frame() const { return frame_.get(); }
  TextWindow* consoleWindow() const { return console_; }
  // The report and pair windows of the run, once the frame exists.
  EvidenceWindows* evidence() const { return evidence_.get(); }
  // File > Date Against Library... and the windows it opens.
  LibraryWindows* libraries() const { return libraries_.get(); }

  static QString programFileName();

 private:
  // A text window; the one made first shows the console unit.
  TextWindow* createTextWindow(const QString& title, const QRect& geometry, bool showsUnit = true);
  int runProgram();

  Dialogs& dialogs_;
  Program program_;
  HostState state_;
  UnitWindowTable units_;
  ConsoleHooks hooks_;
  QIcon frameIcon_;
  QIcon textIcon_;
  std::unique_ptr<FrameWindow> frame_;
  QPointer<TextWindow> console_;
  std::unique_ptr<EvidenceWindows> evidence_;
  std::unique_ptr<LibraryWindows> libraries_;
};

}  // namespace veska::window
