#include "hosts/window/picture_file.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFileInfo>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include "hosts/window/save_checks.h"
#include "runtime/new_file.h"

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
  // Painted into memory, then written as every file veska writes is: a
  // picture that cannot be written leaves a file of that name as it was.
  QBuffer bytes;
  bytes.open(QIODevice::WriteOnly);
  bool painted = false;
  if (kind == QLatin1String("png")) {
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::white);
    painted = paintPictureOn(image, size, paint) && image.save(&bytes, "PNG");
  } else if (kind == QLatin1String("svg")) {
    QSvgGenerator svg;
    svg.setOutputDevice(&bytes);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setTitle(title);
    painted = paintPictureOn(svg, size, paint);
  } else if (kind == QLatin1String("pdf")) {
    QPdfWriter pdf(&bytes);
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(10, 10, 10, 10)));
    pdf.setTitle(title);
    painted = paintPictureOn(pdf, size, paint);
  } else {
    return QStringLiteral("Give the file the extension .png, .svg or .pdf.");
  }
  bytes.close();
  const QByteArray& data = bytes.data();
  const std::string reason =
      painted ? runtime::writeNewFile(fileNameBytes(path), std::string_view(data.constData(), static_cast<std::size_t>(data.size()))) : "";
  if (painted && reason.empty()) return std::nullopt;
  if (reason.empty()) return QStringLiteral("The picture could not be written to %1.").arg(path);
  return QStringLiteral("The picture could not be written to %1: %2.").arg(path, QString::fromStdString(reason));
}

}  // namespace veska::window
