// The frame window (object name MDIFRAME): the menu bar, the MDI client
// (MDICLIENT) holding the text windows, command routing and the exit sequence.
#pragma once

#include <QMainWindow>

class QMdiArea;
class QMdiSubWindow;

namespace veska::window {

class HostState;
class MenuActions;
class TextWindow;

class FrameWindow : public QMainWindow {
  Q_OBJECT

 public:
  FrameWindow(MenuActions& actions, HostState& state, const QString& title);
  ~FrameWindow() override;

  QMdiArea* mdiArea() const { return mdiArea_; }
  QMdiSubWindow* addTextWindow(TextWindow* window, const QRect& geometry);
  TextWindow* activeTextWindow() const;

  // A menu command: About, Exit and the arrangements are the frame's own;
  // ids from 500 up go to the active text window; lower ids (the Window
  // menu's entries) activate a text window.
  void command(int id);
  // After the active child changed in a way the menus follow.
  void refreshMenus() { updateMenus(); }
  // Asks every text window to close; when all agree, requests the quit with
  // code 0. A window that refuses cancels the exit and clears the closing flag.
  void exitSequence();

 signals:
  void aboutRequested();
  // A command from 500 up while the active child is not a text window.
  void otherChildCommand(int id);
  // The menus' enabled states were set from the active text window; the
  // owner of other children may adjust them.
  void menusUpdated();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void updateMenus();
  void updateWindowMenu();
  void activateChild(int index);
  TextWindow* nextToClose() const;
  QMdiSubWindow* subWindowOf(const TextWindow* window) const;

  MenuActions& actions_;
  HostState& state_;
  QMdiArea* mdiArea_;
};

}  // namespace veska::window
