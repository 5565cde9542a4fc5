#include "hosts/window/host.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QStatusBar>

#include <algorithm>

#include "hosts/window/desktop_settings.h"
#include "hosts/window/dialogs.h"
#include "hosts/window/evidence_windows.h"
#include "hosts/window/file_drop.h"
#include "hosts/window/frame_slot.h"
#include "hosts/window/frame_window.h"
#include "hosts/window/icons.h"
#include "hosts/window/model/series_read_text.h"
#include "hosts/window/library_windows.h"
#include "hosts/window/model/system_figures.h"
#include "hosts/window/model/window_placement.h"
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
    : Host(dialogs, [this](runtime::Runtime& rt) { dialogue::runCrossdating(rt, this); }) {}

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
  // What each data file gave stays in the status bar, where the menus' tips
  // and a refused drop's word only cover it for a while.
  seriesRead_ = new QLabel(frame_->statusBar());
  seriesRead_->setObjectName(QStringLiteral("seriesRead"));
  frame_->statusBar()->addWidget(seriesRead_, 1);
  new FileDrop(*frame_, units_);
  // The frame opens where and as large as it was left, aside from any other
  // veska frame open; every way out of the run (Exit, the close box, an
  // error) passes through the quit request.
  const bool placed = desktop_settings::restoreFrame(*frame_);
  frameSlot_ = std::make_unique<FrameSlot>();
  placeBesideEarlierFrames(*frame_, frameSlot_->earlierFrames());
  QObject::connect(&state_, &HostState::quitRequested, frame_.get(),
                   [this] { desktop_settings::saveFrame(*frame_); });
  frame_->show();
  if (!openRunWindows()) return kExitNoWindow;
  if (!placed) showWhole(*frame_, consoleGeometry_);
  libraries_ = std::make_unique<LibraryWindows>(*frame_, dialogs_);
  return runProgram();
}

bool Host::openRunWindows() {
  const QSize room = frame_->mdiArea()->viewport()->size();
  const Box box = inputOutputBox(room.width(), room.height());
  consoleGeometry_ = QRect(box.x, box.y, box.width, box.height);
  console_ = createTextWindow(QStringLiteral("Input/Output"), consoleGeometry_);
  if (!console_) return false;
  evidence_ = std::make_unique<EvidenceWindows>(
      *frame_, dialogs_,
      [this](const QString& name, const QRect& geometry) { return createTextWindow(name, geometry, false); });
  return true;
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

void Host::matchPhaseWritten(const match::RunRecord& run) {
  if (evidence_) evidence_->matchPhaseWritten(run);
}

// The console's transcript stays as it is: the count and the years are the
// status bar's, where a user looks after each file.
void Host::dataFileRead(const std::string& fileName, const input::SeriesTable& table) {
  std::int32_t first = 0;
  std::int32_t last = 0;
  for (std::size_t i = 0; i < table.size(); ++i) {
    first = i == 0 ? table[i].firstYear : std::min(first, table[i].firstYear);
    last = i == 0 ? table[i].lastYear() : std::max(last, table[i].lastYear());
  }
  const std::string text = seriesReadText(records::toUtf8(records::decodeLine(fileName)),
                                          static_cast<int>(table.size()), first, last);
  seriesRead_->setText(QString::fromStdString(text));
}

int Host::runProgram() {
  for (;;) {
    runtime::Runtime runtime(hooks_);
    const int status = runtime.execute(program_);
    if (!state_.takeNewRunRequest() || state_.quitCode()) return status;
    // The ended run's windows stay, its report and pair windows still
    // answering each other; the View menu serves the new run.
    evidence_->leaveViewMenu();
    evidence_->keepReport();
    pastEvidence_.push_back(std::move(evidence_));
    frame_->setRunEvidence(false, false);
    frame_->setWindowTitle(programFileName());
    seriesRead_->clear();
    state_.finalWait = false;
    if (!openRunWindows()) return kExitNoWindow;
  }
}

}  // namespace veska::window
