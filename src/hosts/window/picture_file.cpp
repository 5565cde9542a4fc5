#include "hosts/window/picture_file.h"

#include <QFileInfo>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

namespace veska::window {

bool savePicture(const QString& path, QSize size, const QString& title, const PicturePainter& paint, QString* error) {
  const QString kind = QFileInfo(path).suffix().toLower();
  const QRectF area(QPointF(0, 0), QSizeF(size));
  const auto fail = [&](const QString& why) {
    if (error) *error = why;
    return false;
  };
  const QString unwritable = QStringLiteral("The picture could not be written to %1.").arg(path);
  if (kind == QLatin1String("png")) {
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::white);
    {
      QPainter painter(&image);
      paint(painter, area);
    }
    return image.save(path, "PNG") || fail(unwritable);
  }
  if (kind == QLatin1String("svg")) {
    QSvgGenerator svg;
    svg.setFileName(path);
    svg.setSize(size);
    svg.setViewBox(area);
    svg.setTitle(title);
    QPainter painter;
    if (!painter.begin(&svg)) return fail(unwritable);
    paint(painter, area);
    return painter.end() || fail(unwritable);
  }
  if (kind == QLatin1String("pdf")) {
    QPdfWriter pdf(path);
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(10, 10, 10, 10)));
    pdf.setTitle(title);
    QPainter painter;
    if (!painter.begin(&pdf)) return fail(unwritable);
    const QRect page = painter.viewport();
    painter.setViewport(QRect(page.topLeft(), size.scaled(page.size(), Qt::KeepAspectRatio)));
    painter.setWindow(QRect(QPoint(0, 0), size));
    paint(painter, area);
    return painter.end() || fail(unwritable);
  }
  return fail(QStringLiteral("Give the file the extension .png, .svg or .pdf."));
}

}  // namespace veska::window
