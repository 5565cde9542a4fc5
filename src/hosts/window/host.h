// The host's main routine: it sets up the console hooks, the menus, the frame
// and the Input/Output window, then runs the program on the GUI thread. The
// windows are serviced from inside the program's console I/O (ConsoleHooks);
// when the run ends, the final wait keeps them open until the user closes
// the frame.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include <QIcon>
#include <QPointer>
#include <QRect>
#include <QString>

#include "dialogue/run_observer.h"
#include "hosts/window/console_hooks.h"
#include "hosts/window/host_state.h"
#include "hosts/window/text_window.h"
#include "hosts/window/unit_window_table.h"
#include "runtime/runtime.h"

class QLabel;

namespace veska::window {

class Dialogs;
class EvidenceWindows;
class FrameSlot;
class FrameWindow;
class LibraryWindows;

// Exit codes of start-up failures.
inline constexpr int kExitIconsMissing = 0;
inline constexpr int kExitNoWindow = 6;

// The host watches its runs: each data file read is summed up in the frame's
// status bar, and the report and pair windows hear of the match phase.
class Host : private dialogue::RunObserver {
 public:
  // The program run on the console; it ends by unwinding with runtime::RunEnded.
  using Program = std::function<void(runtime::Runtime&)>;

  explicit Host(Dialogs& dialogs);
  Host(Dialogs& dialogs, Program program);
  ~Host() override;
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
  // A fresh Input/Output window showing the console, and the run's report
  // and pair windows to come; false when no window could be made.
  bool openRunWindows();
  // The runs, one after another while File > New Run asks for another; the
  // last one's status.
  int runProgram();
  void matchPhaseWritten(const match::RunRecord& run) override;
  void dataFileRead(const std::string& fileName, const input::SeriesTable& table) override;

  Dialogs& dialogs_;
  Program program_;
  HostState state_;
  UnitWindowTable units_;
  ConsoleHooks hooks_;
  QIcon frameIcon_;
  QIcon textIcon_;
  std::unique_ptr<FrameWindow> frame_;
  QPointer<TextWindow> console_;
  QRect consoleGeometry_;
  QPointer<QLabel> seriesRead_;  // in the status bar: what the last data file gave
  std::unique_ptr<EvidenceWindows> evidence_;
  // Earlier runs' report and pair windows, which stay until closed.
  std::vector<std::unique_ptr<EvidenceWindows>> pastEvidence_;
  std::unique_ptr<FrameSlot> frameSlot_;
  std::unique_ptr<LibraryWindows> libraries_;
};

}  // namespace veska::window
