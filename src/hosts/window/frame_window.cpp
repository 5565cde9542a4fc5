#include "hosts/window/frame_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QKeySequence>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>

#include "hosts/window/host_state.h"
#include "hosts/window/library_window.h"
#include "hosts/window/pair_window.h"
#include "hosts/window/text_commands.h"
#include "hosts/window/text_window.h"

namespace veska::window {
namespace {

QList<QMdiSubWindow*> visibleWindows(const QMdiArea& area, bool minimised) {
  QList<QMdiSubWindow*> found;
  for (QMdiSubWindow* window : area.subWindowList(QMdiArea::CreationOrder)) {
    if (window->isVisible() && window->isMinimized() == minimised) found.append(window);
  }
  return found;
}

}  // namespace

FrameWindow::FrameWindow(HostState& state, const QString& title) : state_(state), mdiArea_(new QMdiArea(this)) {
  setObjectName(QStringLiteral("frameWindow"));
  setWindowTitle(title);
  mdiArea_->setObjectName(QStringLiteral("MDICLIENT"));
  setCentralWidget(mdiArea_);
  createActions();
  createMenus();
  connect(mdiArea_, &QMdiArea::subWindowActivated, this, [this] {
    updateMenus();
    updateWindowMenu();
  });
  // File > New Run is there once a run has ended, until a quit or the next run.
  for (auto signal : {&HostState::finalWaitEntered, &HostState::newRunRequested, &HostState::quitRequested})
    connect(&state_, signal, this, &FrameWindow::updateMenus);
  resize(800, 600);
  updateMenus();
  updateWindowMenu();
}

FrameWindow::~FrameWindow() {
  // The MDI client and its windows outlive this part of the object while
  // QWidget deletes them; what they signal then must not reach it.
  mdiArea_->disconnect(this);
  for (const QMdiSubWindow* sub : mdiArea_->subWindowList()) {
    if (sub->widget()) sub->widget()->disconnect(this);
  }
}

void FrameWindow::createActions() {
  createFileActions();
  createEditActions();
  createViewActions();
  createWindowActions();
}

void FrameWindow::createFileActions() {
  // New Run, Save, Print and Exit also answer to the platform's standard
  // keys, which Qt shows beside their texts.
  actions_.newRun = new QAction(tr("&New Run"), this);
  actions_.newRun->setShortcut(QKeySequence::New);
  connect(actions_.newRun, &QAction::triggered, &state_, &HostState::requestNewRun);
  actions_.save = new QAction(tr("&Save"), this);
  actions_.save->setShortcut(QKeySequence::Save);
  forwardToActiveWindow(actions_.save, &TextCommands::save);
  actions_.saveAs = new QAction(tr("Save As..."), this);
  forwardToActiveWindow(actions_.saveAs, &TextCommands::saveAs, &PairWindow::saveAs, &LibraryWindow::saveAs);
  actions_.saveSeries = new QAction(tr("Save Series at This &Placement..."), this);
  forwardToActiveWindow(actions_.saveSeries, nullptr, &PairWindow::saveSeriesAtPlacement);
  actions_.saveCorrected = new QAction(tr("Save &Corrected Series..."), this);
  forwardToActiveWindow(actions_.saveCorrected, nullptr, &PairWindow::saveCorrectedSeries);
  // The report window's pair table, or a library window's ranked tables.
  actions_.exportTable = new QAction(tr("Export &Table..."), this);
  libraryActions_.push_back(actions_.exportTable);
  connect(actions_.exportTable, &QAction::triggered, this, [this] {
    if (LibraryWindow* library = activeLibraryWindow()) {
      library->exportTable();
    } else {
      Q_EMIT exportTableRequested();
    }
  });
  actions_.dateAgainstLibrary = new QAction(tr("Date Against &Library..."), this);
  connect(actions_.dateAgainstLibrary, &QAction::triggered, this, &FrameWindow::libraryRequested);
  actions_.print = new QAction(tr("Print..."), this);
  actions_.print->setShortcut(QKeySequence::Print);
  forwardToActiveWindow(actions_.print, &TextCommands::print, &PairWindow::print);
  actions_.about = new QAction(tr("&About..."), this);
  connect(actions_.about, &QAction::triggered, this, &FrameWindow::aboutRequested);
  actions_.exit = new QAction(tr("E&xit"), this);
  actions_.exit->setShortcut(QKeySequence::Quit);
  connect(actions_.exit, &QAction::triggered, this, &FrameWindow::exitSequence);
}

void FrameWindow::createEditActions() {
  // Undo is on the menu and its key works, but a text window keeps no
  // history: the command reaches nothing and changes nothing.
  actions_.undo = new QAction(tr("&Undo"), this);
  actions_.undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
  actions_.cut = new QAction(tr("Cu&t"), this);
  actions_.cut->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));
  forwardToActiveWindow(actions_.cut, &TextCommands::cut);
  actions_.copy = new QAction(tr("&Copy"), this);
  actions_.copy->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
  forwardToActiveWindow(actions_.copy, &TextCommands::copy, &PairWindow::copyTable);
  actions_.paste = new QAction(tr("&Paste"), this);
  actions_.paste->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));
  forwardToActiveWindow(actions_.paste, &TextCommands::paste);
  actions_.deleteSelection = new QAction(tr("De&lete"), this);
  forwardToActiveWindow(actions_.deleteSelection, &TextCommands::deleteSelection);
  actions_.font = new QAction(tr("&Font..."), this);
  forwardToActiveWindow(actions_.font, &TextCommands::chooseFont);
  actions_.colour = new QAction(tr("&Color"), this);
  forwardToActiveWindow(actions_.colour, &TextCommands::chooseColour);
}

void FrameWindow::createViewActions() {
  actions_.report = new QAction(tr("&Report"), this);
  connect(actions_.report, &QAction::triggered, this, &FrameWindow::reportRequested);
  actions_.pair = new QAction(tr("&Pair..."), this);
  connect(actions_.pair, &QAction::triggered, this, &FrameWindow::pairRequested);
}

void FrameWindow::createWindowActions() {
  actions_.cascade = new QAction(tr("&Cascade"), this);
  actions_.cascade->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F5));
  connect(actions_.cascade, &QAction::triggered, mdiArea_, &QMdiArea::cascadeSubWindows);
  actions_.tileHorizontally = new QAction(tr("Tile &Horizontally"), this);
  connect(actions_.tileHorizontally, &QAction::triggered, this, &FrameWindow::tileHorizontally);
  actions_.tileVertically = new QAction(tr("Tile &Vertically"), this);
  connect(actions_.tileVertically, &QAction::triggered, this, &FrameWindow::tileVertically);
  actions_.arrangeIcons = new QAction(tr("&Arrange Icons"), this);
  connect(actions_.arrangeIcons, &QAction::triggered, this, &FrameWindow::arrangeIcons);
}

void FrameWindow::forwardToActiveWindow(QAction* action, void (TextCommands::*textCommand)(),
                                        void (PairWindow::*pairCommand)(),
                                        void (LibraryWindow::*libraryCommand)()) {
  if (pairCommand) pairActions_.push_back(action);
  if (libraryCommand) libraryActions_.push_back(action);
  connect(action, &QAction::triggered, this, [this, textCommand, pairCommand, libraryCommand] {
    if (TextWindow* window = activeTextWindow()) {
      if (window->commands() && textCommand) (window->commands()->*textCommand)();
    } else if (PairWindow* pair = activePairWindow(); pair && pairCommand) {
      (pair->*pairCommand)();
    } else if (LibraryWindow* library = activeLibraryWindow(); library && libraryCommand) {
      (library->*libraryCommand)();
    }
  });
}

void FrameWindow::createMenus() {
  QMenu* file = menuBar()->addMenu(tr("&File"));
  file->addAction(actions_.newRun);
  file->addSeparator();
  file->addAction(actions_.save);
  file->addAction(actions_.saveAs);
  file->addAction(actions_.saveSeries);
  file->addAction(actions_.saveCorrected);
  file->addAction(actions_.exportTable);
  file->addSeparator();
  file->addAction(actions_.dateAgainstLibrary);
  file->addSeparator();
  file->addAction(actions_.print);
  file->addSeparator();
  file->addAction(actions_.about);
  file->addSeparator();
  file->addAction(actions_.exit);

  QMenu* edit = menuBar()->addMenu(tr("&Edit"));
  edit->addAction(actions_.undo);
  edit->addSeparator();
  edit->addActions({actions_.cut, actions_.copy, actions_.paste, actions_.deleteSelection});

  QMenu* format = menuBar()->addMenu(tr("F&ormat"));
  format->addActions({actions_.font, actions_.colour});

  QMenu* view = menuBar()->addMenu(tr("&View"));
  view->addActions({actions_.report, actions_.pair});

  windowMenu_ = menuBar()->addMenu(tr("&Window"));
  connect(windowMenu_, &QMenu::aboutToShow, this, &FrameWindow::updateWindowMenu);
}

QMdiSubWindow* FrameWindow::addTextWindow(TextWindow* window, const QRect& geometry) {
  QMdiSubWindow* sub = mdiArea_->addSubWindow(window);
  sub->setWindowIcon(window->windowIcon());
  sub->setGeometry(geometry);
  connect(window, &TextWindow::stateChanged, this, &FrameWindow::updateMenus);
  connect(window, &TextWindow::closed, this, &FrameWindow::updateMenus);
  sub->show();
  return sub;
}

TextWindow* FrameWindow::activeTextWindow() const {
  QMdiSubWindow* sub = mdiArea_->activeSubWindow();
  auto* window = sub ? qobject_cast<TextWindow*>(sub->widget()) : nullptr;
  return window && !window->isClosed() ? window : nullptr;
}

PairWindow* FrameWindow::activePairWindow() const {
  QMdiSubWindow* sub = mdiArea_->activeSubWindow();
  return sub ? qobject_cast<PairWindow*>(sub->widget()) : nullptr;
}

LibraryWindow* FrameWindow::activeLibraryWindow() const {
  QMdiSubWindow* sub = mdiArea_->activeSubWindow();
  return sub ? qobject_cast<LibraryWindow*>(sub->widget()) : nullptr;
}

void FrameWindow::setReportWindow(TextWindow* report) {
  reportWindow_ = report;
  updateMenus();
}

void FrameWindow::setRunEvidence(bool report, bool pairs) {
  hasReport_ = report;
  hasPairs_ = pairs;
  updateMenus();
}

QMdiSubWindow* FrameWindow::subWindowOf(const TextWindow* window) const {
  for (QMdiSubWindow* sub : mdiArea_->subWindowList()) {
    if (sub->widget() == window) return sub;
  }
  return nullptr;
}

// QMdiArea's own tiling makes a grid; the Window menu tiles in one direction.
// Minimised windows stay where they are.
void FrameWindow::tile(Qt::Orientation orientation) {
  const QList<QMdiSubWindow*> tiles = visibleWindows(*mdiArea_, false);
  const QRect room = mdiArea_->viewport()->rect();
  const int n = static_cast<int>(tiles.size());
  for (int i = 0; i < n; ++i) {
    QMdiSubWindow* window = tiles[i];
    if (window->isMaximized()) window->showNormal();
    if (orientation == Qt::Vertical) {
      const int left = room.width() * i / n;
      window->setGeometry(left, 0, room.width() * (i + 1) / n - left, room.height());
    } else {
      const int top = room.height() * i / n;
      window->setGeometry(0, top, room.width(), room.height() * (i + 1) / n - top);
    }
  }
}

void FrameWindow::tileVertically() { tile(Qt::Vertical); }

void FrameWindow::tileHorizontally() { tile(Qt::Horizontal); }

void FrameWindow::arrangeIcons() {
  const int bottom = mdiArea_->viewport()->height();
  int left = 0;
  for (QMdiSubWindow* window : visibleWindows(*mdiArea_, true)) {
    const QSize size = window->size();
    window->move(left, bottom - size.height());
    left += size.width();
  }
}

// The active window first; without one, the remaining open windows one by
// one all the same, so that Exit always ends.
TextWindow* FrameWindow::nextToClose() const {
  if (TextWindow* active = activeTextWindow()) return active;
  const QList<TextWindow*> open = state_.openWindows();
  return open.isEmpty() ? nullptr : open.first();
}

void FrameWindow::exitSequence() {
  state_.closing = true;
  while (TextWindow* next = nextToClose()) {
    QPointer<TextWindow> window(next);
    if (QMdiSubWindow* sub = subWindowOf(next)) {
      sub->close();
    } else {
      next->close();
    }
    if (!state_.closing) return;  // a window kept its text: the exit is off
    // A window that neither closed nor said no would be asked for ever.
    if (window && !window->isClosed()) {
      state_.closing = false;
      return;
    }
  }
  state_.requestQuit(0);
}

void FrameWindow::closeEvent(QCloseEvent* event) {
  exitSequence();
  if (state_.closing) {
    event->accept();
  } else {
    event->ignore();
  }
}

void FrameWindow::updateMenus() {
  const TextWindow* window = activeTextWindow();
  const bool hasWindow = window != nullptr;
  actions_.save->setEnabled(hasWindow && window->model().modified());
  const bool edit = hasWindow && window->model().editCommandsEnabled();
  const bool writable = hasWindow && !window->readOnly();
  for (QAction* action : {actions_.cut, actions_.deleteSelection}) action->setEnabled(edit && writable);
  actions_.paste->setEnabled(writable);
  for (QAction* action : {actions_.undo, actions_.font, actions_.colour}) action->setEnabled(hasWindow);
  actions_.copy->setEnabled(edit);
  for (QAction* action : {actions_.saveAs, actions_.print}) action->setEnabled(hasWindow);
  actions_.saveSeries->setEnabled(false);  // a pair window's alone
  actions_.saveCorrected->setEnabled(false);
  // A pair window's commands whenever one is active.
  if (activePairWindow())
    for (QAction* action : pairActions_) action->setEnabled(true);
  actions_.exportTable->setEnabled(hasWindow && window == reportWindow_);
  if (activeLibraryWindow())
    for (QAction* action : libraryActions_) action->setEnabled(true);
  actions_.newRun->setEnabled(state_.canStartNewRun());
  actions_.report->setEnabled(hasReport_);
  actions_.pair->setEnabled(hasPairs_);
}

// The fixed entries, then one checkable entry per text window, as "&1 title".
void FrameWindow::updateWindowMenu() {
  windowMenu_->clear();
  windowMenu_->addActions({actions_.cascade, actions_.tileHorizontally, actions_.tileVertically,
                           actions_.arrangeIcons});
  const QList<QMdiSubWindow*> subs = mdiArea_->subWindowList();
  if (!subs.isEmpty()) windowMenu_->addSeparator();
  for (int i = 0; i < subs.size(); ++i) {
    QAction* entry = windowMenu_->addAction(tr("&%1 %2").arg(i + 1).arg(subs[i]->windowTitle()));
    entry->setCheckable(true);
    entry->setChecked(subs[i] == mdiArea_->activeSubWindow());
    QPointer<QMdiSubWindow> sub(subs[i]);
    connect(entry, &QAction::triggered, this, [this, sub] {
      if (sub) mdiArea_->setActiveSubWindow(sub);
    });
  }
}

}  // namespace veska::window
