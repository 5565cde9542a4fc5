// A picture painted into a file, PNG, SVG or PDF as the file name's
// extension says (PDF on one landscape A4 page), or onto a printer's page:
// one routine for every window that draws one.
#pragma once

#include <functional>
#include <optional>

#include <QRectF>
#include <QSize>
#include <QString>
#include <QStringList>

class QPaintDevice;
class QPainter;

namespace veska::window {

// Paints the picture into `area` (logical pixels).
using PicturePainter = std::function<void(QPainter&, const QRectF&)>;

// The file types a picture is saved as, for the save dialog.
QStringList pictureTypes();

// The picture of `size` on a device whose page may be larger (a printer's,
// a PDF's): scaled to fit it, keeping its proportions. False when the
// device cannot be painted.
bool paintPictureOn(QPaintDevice& device, QSize size, const PicturePainter& paint);

// Writes the picture (PNG and SVG of `size` pixels). Gives why it could not
// (the file cannot be written, or its extension is none of the three), or
// nothing.
std::optional<QString> savePicture(const QString& path, QSize size, const QString& title, const PicturePainter& paint);

}  // namespace veska::window
