// The frame window (object name frameWindow): the menu bar, the MDI client
// (MDICLIENT) holding the text windows and the pair windows, and the exit
// sequence. As in Qt's MDI example, every action is built in createActions()
// and connected to its slot there, and what is enabled is recomputed from the
// active window in updateMenus().
#pragma once

#include <vector>

#include <QMainWindow>
#include <QPointer>

class QAction;
class QMdiArea;
class QMdiSubWindow;
class QMenu;

namespace veska::window {

class HostState;
class LibraryWindow;
class PairWindow;
class TextCommands;
class TextWindow;

class FrameWindow : public QMainWindow {
  Q_OBJECT

 public:
  // The menu bar's actions, by name.
  struct Actions {
    QAction* newRun = nullptr;
    QAction* save = nullptr;
    QAction* saveAs = nullptr;
    QAction* saveSeries = nullptr;
    QAction* saveCorrected = nullptr;
    QAction* exportTable = nullptr;
    QAction* dateAgainstLibrary = nullptr;
    QAction* print = nullptr;
    QAction* about = nullptr;
    QAction* exit = nullptr;
    QAction* undo = nullptr;
    QAction* cut = nullptr;
    QAction* copy = nullptr;
    QAction* paste = nullptr;
    QAction* deleteSelection = nullptr;
    QAction* font = nullptr;
    QAction* colour = nullptr;
    QAction* report = nullptr;
    QAction* pair = nullptr;
    QAction* cascade = nullptr;
    QAction* tileHorizontally = nullptr;
    QAction* tileVertically = nullptr;
    QAction* arrangeIcons = nullptr;
  };

  FrameWindow(HostState& state, const QString& title);
  ~FrameWindow() override;

  const Actions& actions() const { return actions_; }
  QMenu* windowMenu() const { return windowMenu_; }
  QMdiArea* mdiArea() const { return mdiArea_; }
  QMdiSubWindow* addTextWindow(TextWindow* window, const QRect& geometry);
  TextWindow* activeTextWindow() const;
  PairWindow* activePairWindow() const;
  LibraryWindow* activeLibraryWindow() const;
  // Whether View > Report and View > Pair... have a finished run to show.
  void setRunEvidence(bool report, bool pairs);
  // The report window, for which File > Export Table... is offered.
  void setReportWindow(TextWindow* report);

 public Q_SLOTS:
  // Asks every text window to close; when all agree, requests the quit with
  // code 0. A window that refuses cancels the exit and clears the closing flag.
  void exitSequence();
  // Side by side, each window as tall as the client area.
  void tileVertically();
  // One above the other, each window as wide as the client area.
  void tileHorizontally();
  // Minimised windows in a row along the bottom edge, from the left.
  void arrangeIcons();

 Q_SIGNALS:
  void aboutRequested();
  // View > Report and View > Pair..., for whoever keeps the run's windows.
  void reportRequested();
  void pairRequested();
  // File > Export Table..., in the report window.
  void exportTableRequested();
  // File > Date Against Library....
  void libraryRequested();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void createActions();
  void createFileActions();
  void createEditActions();
  void createViewActions();
  void createWindowActions();
  void createMenus();
  void updateMenus();
  void updateWindowMenu();
  // Connects `action` to `textCommand` of the active text window's commands,
  // to `pairCommand` of the active pair window, or to `libraryCommand` of the
  // active library window; any may be null, and an action with a pair or
  // library command is enabled whenever such a window is active. A new
  // command of those windows needs only its action, this call and its place
  // in a menu.
  void forwardToActiveWindow(QAction* action, void (TextCommands::*textCommand)(),
                             void (PairWindow::*pairCommand)() = nullptr,
                             void (LibraryWindow::*libraryCommand)() = nullptr);
  void tile(Qt::Orientation orientation);
  TextWindow* nextToClose() const;
  QMdiSubWindow* subWindowOf(const TextWindow* window) const;

  HostState& state_;
  QMdiArea* mdiArea_;
  Actions actions_;
  QMenu* windowMenu_ = nullptr;
  std::vector<QAction*> pairActions_;     // those a pair window handles
  std::vector<QAction*> libraryActions_;  // those a library window handles
  bool hasReport_ = false;
  bool hasPairs_ = false;
  QPointer<TextWindow> reportWindow_;
};

}  // namespace veska::window
