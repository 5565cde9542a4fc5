// The picture of one pair: the t-statistic at every placement, with the
// three best marked as the report gives them and the star threshold drawn,
// the two series drawn over each other at the selected placement with the
// overlap shaded, and the selected placement's slot text as the report
// writes it. One routine paints it on the window, an image, an SVG or PDF
// file and the printer, so all of them show the same.
#pragma once

#include <QPointF>
#include <QRectF>
#include <QSize>
#include <QString>

class QPainter;

// The core's types are only declared in the window host's headers: Qt's
// "slots" keyword would clash with the best three's slots. Source files
// include "match/pair_evidence.h" before any Qt header.
namespace veska::match {
class PairEvidence;
struct RunSeries;
}  // namespace veska::match

namespace veska::window {

struct PairPicture {
  const match::RunSeries* first = nullptr;
  const match::RunSeries* second = nullptr;
  const match::PairEvidence* evidence = nullptr;
  int selected = -1;     // a placement, from 0
  bool asRead = false;   // ring widths as read instead of the values compared
};

// Paints the picture into `area` (logical pixels; the text sizes are fixed
// in them, so the picture scales as a whole with the painter's window).
void paintPairChart(QPainter& painter, const QRectF& area, const PairPicture& picture);

// The placement whose point on the t-curve lies nearest `point` along the
// curve's axis, or -1 when `point` is outside the t-curve's panel.
int placementAtPoint(const QRectF& area, const PairPicture& picture, QPointF point);

// Writes the picture as PNG, SVG or PDF, as the file name's extension says
// (any other extension, or a file that cannot be written, gives false and a
// reason in `error`). PNG and SVG are `size` pixels; PDF is one landscape A4
// page with the picture in `size`'s proportions.
bool savePairPicture(const QString& path, const PairPicture& picture, QSize size, QString* error);

}  // namespace veska::window
