#include "hosts/window/host.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMdiArea>
#include <QStatusBar>

#include "hosts/window/desktop_settings.h"
#include "hosts/window/dialogs.h"
#include "hosts/window/evidence_windows.h"
#include "hosts/window/file_drop.h"
#include "hosts/window/frame_window.h"
#include "hosts/window/icons.h"
#include "hosts/window/library_windows.h"
#include "hosts/window/model/system_figures.h"
#include "hosts/window/text_commands.h"
#include "hosts/window/text_window.h"
#include "dialogue/run_driver.h"

namespace veska::window {
namespace {

// The first start: the frame grows until its client area shows `window`
// whole, with the same margin on its right and below as on its left and top.
void showWhole(FrameWindow& frame, const QRect& window) {
  const QSize room = frame.mdiArea()->viewport()->size();
  const QSize needed(window.right() + 1 + window.left(), window.bottom() + 1 + window.top());
  const QSize grow = (needed - room).expandedTo(QSize(0, 0));
  if (grow.width() > 0 || grow.height() > 0) frame.resize(frame.size() + grow);
}

}  // namespace

// The run tells the report and pair windows about its series and pairs.
Host::Host(Dialogs& dialogs)
    : Host(dialogs, [this](runtime::Runtime& rt) { dialogue::runCrossdating(rt, evidence_.get()); }) {}

Host::Host(Dialogs& dialogs, Program program)
    : dialogs_(dialogs), program_(std::move(program)), hooks_(state_, units_, dialogs_) {}

Host::~Host() = default;

QString Host::programFileName() { return QFileInfo(QCoreApplication::applicationFilePath()).fileName(); }

int Host::run() {
  // The console hooks are this host's own (hooks_), ready before any window.
  const QString title = programFileName();
  state_.finalWait = false;
  frameIcon_ = frameIcon();
  textIcon_ = textWindowIcon();
  if (frameIcon_.isNull() || textIcon_.isNull()) return kExitIconsMissing;
  units_.registerUnit(kConsoleUnit);
  frame_ = std::make_unique<FrameWindow>(state_, title);
  frame_->setWindowIcon(frameIcon_);
  // Nobody should wait to type into a run that is over.
  QObject::connect(&state_, &HostState::runFinished, frame_.get(), [this, title] {
    frame_->setWindowTitle(title + FrameWindow::tr(" - run finished"));
  });
  QObject::connect(frame_.get(), &FrameWindow::aboutRequested, frame_.get(),
                   [this] { dialogs_.about(frame_.get(), aboutRows(gatherSystemFigures())); });
  hooks_.setDialogOwner(frame_.get());
  // Refused drops say why here.
  frame_->statusBar();
  new FileDrop(*frame_, units_);
  // The frame opens where and as large as it was left; every way out of the
  // run (Exit, the close box, an error) passes through the quit request.
  const bool placed = desktop_settings::restoreFrame(*frame_);
  QObject::connect(&state_, &HostState::quitRequested, frame_.get(),
                   [this] { desktop_settings::saveFrame(*frame_); });
  frame_->show();
  const QRect consoleGeometry(15, 15, 600, 300);
  console_ = createTextWindow(QStringLiteral("Input/Output"), consoleGeometry);
  if (!console_) return kExitNoWindow;
  if (!placed) showWhole(*frame_, consoleGeometry);
  evidence_ = std::make_unique<EvidenceWindows>(
      *frame_, dialogs_,
      [this](const QString& name, const QRect& geometry) { return createTextWindow(name, geometry, false); });
  libraries_ = std::make_unique<LibraryWindows>(*frame_, dialogs_);
  return runProgram();
}

// The window takes the unit-window slot registered last and counts as open
// until it agrees to close.
TextWindow* Host::createTextWindow(const QString& title, const QRect& geometry, bool showsUnit) {
  auto* window = new TextWindow;
  window->setWindowTitle(title);
  window->setWindowIcon(textIcon_);
  TextCommands::attach(*window, dialogs_, state_.textSavePath);
  if (showsUnit) units_.attachNewWindow(window);
  state_.windowOpened(window);
  QObject::connect(window, &TextWindow::closed, &state_, [this](TextWindow* closed) {
    units_.detach(closed);
    state_.windowClosed(closed);
  });
  QObject::connect(window, &TextWindow::closeRefused, &state_, [this] { state_.closing = false; });
  frame_->addTextWindow(window, geometry);
  window->setFocus();
  return window;
}

int Host::runProgram() {
  runtime::Runtime runtime(hooks_);
  return runtime.execute(program_);
}

}  // namespace veska::window
