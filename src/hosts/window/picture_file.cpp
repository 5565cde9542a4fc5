#include "hosts/window/picture_file.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

namespace veska::window {

QStringList pictureTypes() {
  return {QCoreApplication::translate("Picture", "PNG image (*.png)"),
          QCoreApplication::translate("Picture", "SVG drawing (*.svg)"),
          QCoreApplication::translate("Picture", "PDF document (*.pdf)")};
}

bool paintPictureOn(QPaintDevice& device, QSize size, const PicturePainter& paint) {
  QPainter painter;
  if (!painter.begin(&device)) return false;
  const QRect page = painter.viewport();
  painter.setViewport(QRect(page.topLeft(), size.scaled(page.size(), Qt::KeepAspectRatio)));
  painter.setWindow(QRect(QPoint(0, 0), size));
  paint(painter, QRectF(QPointF(0, 0), QSizeF(size)));
  return painter.end();
}

std::optional<QString> savePicture(const QString& path, QSize size, const QString& title, const PicturePainter& paint) {
  const QString kind = QFileInfo(path).suffix().toLower();
  bool written = false;
  if (kind == QLatin1String("png")) {
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::white);
    written = paintPictureOn(image, size, paint) && image.save(path, "PNG");
  } else if (kind == QLatin1String("svg")) {
    QSvgGenerator svg;
    svg.setFileName(path);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setTitle(title);
    written = paintPictureOn(svg, size, paint);
  } else if (kind == QLatin1String("pdf")) {
    QPdfWriter pdf(path);
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(10, 10, 10, 10)));
    pdf.setTitle(title);
    written = paintPictureOn(pdf, size, paint);
  } else {
    return QStringLiteral("Give the file the extension .png, .svg or .pdf.");
  }
  if (written) return std::nullopt;
  return QStringLiteral("The picture could not be written to %1.").arg(path);
}

}  // namespace veska::window
