// The menu bar's actions, each carrying its command id (QAction::data), with
// the texts, mnemonics and shortcuts of the main menu. Built once at start-up,
// before the frame exists; the frame then shows them in its menu bar.
#pragma once

#include <QHash>
#include <QList>
#include <QObject>

class QAction;
class QMenu;
class QMenuBar;

namespace veska::window {

class MenuActions : public QObject {
  Q_OBJECT

 public:
  MenuActions();

  QAction* action(int id) const { return actions_.value(id); }
  // The File, Edit, Format and Window menus in `bar`.
  void populate(QMenuBar* bar);
  QMenu* windowMenu() const { return windowMenu_; }
  // The Window menu's fixed entries (its child entries follow them).
  const QList<QAction*>& windowActions() const { return windowActions_; }

 signals:
  void command(int id);

 private:
  void createActions();

  QHash<int, QAction*> actions_;
  QList<QAction*> windowActions_;
  QMenu* windowMenu_ = nullptr;
};

}  // namespace veska::window
