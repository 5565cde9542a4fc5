#include "hosts/window/frame_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>

#include "hosts/window/command_ids.h"
#include "hosts/window/host_state.h"
#include "hosts/window/mdi_arrangement.h"
#include "hosts/window/menu_actions.h"
#include "hosts/window/text_window.h"

namespace veska::window {

FrameWindow::FrameWindow(MenuActions& actions, HostState& state, const QString& title)
    : actions_(actions), state_(state), mdiArea_(new QMdiArea(this)) {
  setObjectName(QStringLiteral("MDIFRAME"));
  setWindowTitle(title);
  mdiArea_->setObjectName(QStringLiteral("MDICLIENT"));
  setCentralWidget(mdiArea_);
  actions_.populate(menuBar());
  connect(&actions_, &MenuActions::command, this, &FrameWindow::command);
  connect(mdiArea_, &QMdiArea::subWindowActivated, this, [this] {
    updateMenus();
    updateWindowMenu();
  });
  connect(actions_.windowMenu(), &QMenu::aboutToShow, this, &FrameWindow::updateWindowMenu);
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
  actions_.disconnect(this);
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

QMdiSubWindow* FrameWindow::subWindowOf(const TextWindow* window) const {
  for (QMdiSubWindow* sub : mdiArea_->subWindowList()) {
    if (sub->widget() == window) return sub;
  }
  return nullptr;
}

void FrameWindow::command(int id) {
  using namespace command;
  switch (id) {
    case kAbout: emit aboutRequested(); return;
    case kExit: exitSequence(); return;
    case kCascade: mdiArea_->cascadeSubWindows(); return;
    case kTileVertically: tileSubWindows(*mdiArea_, Qt::Vertical); return;
    case kTileHorizontally: tileSubWindows(*mdiArea_, Qt::Horizontal); return;
    case kArrangeIcons: arrangeIcons(*mdiArea_); return;
    default: break;
  }
  if (id >= kFirstWindowCommand) {
    if (TextWindow* window = activeTextWindow()) {
      window->command(id);
    } else {
      emit otherChildCommand(id);
    }
    return;
  }
  activateChild(id - kFirstChild);
}

void FrameWindow::activateChild(int index) {
  const QList<QMdiSubWindow*> subs = mdiArea_->subWindowList();
  if (index >= 0 && index < subs.size()) mdiArea_->setActiveSubWindow(subs[index]);
}

// The active window first; without one, the remaining open windows one by
// one all the same (D17).
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
    // A window that neither closed nor said no would be asked for ever (D17).
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
  using namespace command;
  const TextWindow* window = activeTextWindow();
  const bool hasWindow = window != nullptr;
  actions_.action(kSave)->setEnabled(hasWindow && window->model().modified());
  const bool edit = hasWindow && window->model().editCommandsEnabled();
  const bool writable = hasWindow && !window->readOnly();
  actions_.action(kCopy)->setEnabled(edit);
  for (const int id : {kCut, kDelete}) actions_.action(id)->setEnabled(edit && writable);
  actions_.action(kPaste)->setEnabled(writable);
  for (const int id : {kSaveAs, kPrint, kUndo, kFont, kColour}) actions_.action(id)->setEnabled(hasWindow);
  emit menusUpdated();
}

// The fixed entries, then one checkable entry per text window, as "&1 title".
void FrameWindow::updateWindowMenu() {
  QMenu* menu = actions_.windowMenu();
  menu->clear();
  menu->addActions(actions_.windowActions());
  const QList<QMdiSubWindow*> subs = mdiArea_->subWindowList();
  if (!subs.isEmpty()) menu->addSeparator();
  for (int i = 0; i < subs.size(); ++i) {
    QAction* entry = menu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(subs[i]->windowTitle()));
    const int id = command::kFirstChild + i;
    entry->setData(id);
    entry->setCheckable(true);
    entry->setChecked(subs[i] == mdiArea_->activeSubWindow());
    connect(entry, &QAction::triggered, this, [this, id] { command(id); });
  }
}

}  // namespace veska::window
