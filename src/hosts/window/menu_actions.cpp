#include "hosts/window/menu_actions.h"

#include <vector>

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

#include "hosts/window/command_ids.h"

namespace veska::window {
namespace {

struct Item {
  const char* text;  // nullptr: a separator
  int id;
  const char* shortcut;
};

struct Popup {
  const char* title;
  std::vector<Item> items;
};

constexpr Item kSeparator{nullptr, 0, nullptr};

const std::vector<Popup>& mainMenu() {
  using namespace command;
  static const std::vector<Popup> menu = {
      {"&File",
       {{"&Save", kSave, nullptr}, {"Save As...", kSaveAs, nullptr}, kSeparator, {"Print...", kPrint, nullptr},
        kSeparator, {"&About...", kAbout, nullptr}, kSeparator, {"E&xit", kExit, nullptr}}},
      {"&Edit",
       {{"&Undo", kUndo, "Ctrl+Z"}, kSeparator, {"Cu&t", kCut, "Ctrl+X"}, {"&Copy", kCopy, "Ctrl+C"},
        {"&Paste", kPaste, "Ctrl+V"}, {"De&lete", kDelete, nullptr}}},
      {"F&ormat", {{"&Font...", kFont, nullptr}, {"&Color", kColour, nullptr}}},
      {"&Window",
       {{"&Cascade", kCascade, "Shift+F5"}, {"Tile &Horizontally", kTileHorizontally, nullptr},
        {"Tile &Vertically", kTileVertically, nullptr}, {"&Arrange Icons", kArrangeIcons, nullptr}}},
  };
  return menu;
}

}  // namespace

MenuActions::MenuActions() { createActions(); }

void MenuActions::createActions() {
  for (const Popup& popup : mainMenu()) {
    for (const Item& item : popup.items) {
      if (!item.text) continue;
      auto* action = new QAction(QString::fromLatin1(item.text), this);
      action->setData(item.id);
      if (item.shortcut) action->setShortcut(QKeySequence(QString::fromLatin1(item.shortcut)));
      const int id = item.id;
      connect(action, &QAction::triggered, this, [this, id] { emit command(id); });
      actions_.insert(id, action);
    }
  }
  for (const Item& item : mainMenu().back().items) windowActions_.append(actions_.value(item.id));
}

void MenuActions::populate(QMenuBar* bar) {
  for (const Popup& popup : mainMenu()) {
    QMenu* menu = bar->addMenu(QString::fromLatin1(popup.title));
    for (const Item& item : popup.items) {
      if (item.text) {
        menu->addAction(actions_.value(item.id));
      } else {
        menu->addSeparator();
      }
    }
    windowMenu_ = menu;  // the last popup
  }
}

}  // namespace veska::window
