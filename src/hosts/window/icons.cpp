#include "hosts/window/icons.h"

#include <QPainter>
#include <QPixmap>

namespace veska::window {
namespace {

constexpr int kSize = 32;

QPixmap blankPixmap() {
  QPixmap pixmap(kSize, kSize);
  pixmap.fill(Qt::transparent);
  return pixmap;
}

}  // namespace

QIcon frameIcon() {
  QPixmap pixmap = blankPixmap();
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(QColor(0x5a, 0x3a, 0x1e), 1.5));
  painter.setBrush(QColor(0xe8, 0xc8, 0x8e));
  painter.drawEllipse(QRectF(1.5, 1.5, 29, 29));
  painter.setBrush(Qt::NoBrush);
  // Rings narrowing outward, as a slow-grown stem shows them.
  for (const double radius : {3.0, 6.5, 9.5, 12.0}) {
    painter.drawEllipse(QPointF(16, 16), radius, radius * 0.92);
  }
  return QIcon(pixmap);
}

QIcon textWindowIcon() {
  QPixmap pixmap = blankPixmap();
  QPainter painter(&pixmap);
  painter.setPen(QColor(0x40, 0x40, 0x40));
  painter.setBrush(Qt::white);
  painter.drawRect(5, 2, 22, 28);
  painter.setPen(QPen(QColor(0x20, 0x40, 0xa0), 2));
  for (int y = 8; y <= 24; y += 4) painter.drawLine(9, y, y == 24 ? 17 : 23, y);
  return QIcon(pixmap);
}

}  // namespace veska::window
