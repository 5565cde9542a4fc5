#include "hosts/window/mdi_arrangement.h"

#include <QList>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace veska::window {
namespace {

QList<QMdiSubWindow*> windows(const QMdiArea& area, bool minimised) {
  QList<QMdiSubWindow*> found;
  for (QMdiSubWindow* window : area.subWindowList(QMdiArea::CreationOrder)) {
    if (window->isVisible() && window->isMinimized() == minimised) found.append(window);
  }
  return found;
}

}  // namespace

void tileSubWindows(QMdiArea& area, Qt::Orientation orientation) {
  const QList<QMdiSubWindow*> tiles = windows(area, false);
  if (tiles.isEmpty()) return;
  const QRect room = area.viewport()->rect();
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

void arrangeIcons(QMdiArea& area) {
  const int bottom = area.viewport()->height();
  int left = 0;
  for (QMdiSubWindow* window : windows(area, true)) {
    const QSize size = window->size();
    window->move(left, bottom - size.height());
    left += size.width();
  }
}

}  // namespace veska::window
