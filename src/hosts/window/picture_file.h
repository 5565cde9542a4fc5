// A picture painted into a file, PNG, SVG or PDF as the file name's
// extension says (PDF on one landscape A4 page).
#pragma once

#include <functional>

#include <QRectF>
#include <QSize>
#include <QString>

class QPainter;

namespace veska::window {

using PicturePainter = std::function<void(QPainter&, const QRectF&)>;

// False, with the reason in `error`, when the file cannot be written or its
// extension is none of the three.
bool savePicture(const QString& path, QSize size, const QString& title, const PicturePainter& paint, QString* error);

}  // namespace veska::window
