#include "hosts/window/library_map_painter.h"

#include <cmath>
#include <numbers>

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

namespace veska::window {
namespace {

// Degrees kept between two coastline points at the map's usual scales.
constexpr float kCoastlineStep = 0.05f;

QColor colourOf(Evidence e) {
  switch (e) {
    case Evidence::Strong: return QColor(0x1b, 0x7a, 0x2e);
    case Evidence::Starred: return QColor(0x7c, 0xc4, 0x5a);
    case Evidence::Weak: return QColor(0xf0, 0xa0, 0x30);
    case Evidence::None: return QColor(0xc0, 0x3a, 0x2b);
    case Evidence::NoOverlap: return QColor(0xb0, 0xb0, 0xb0);
  }
  return Qt::gray;
}

// Longitude and latitude to the picture: plate carrée, the longitudes
// shortened by the cosine of the box's middle latitude so that shapes near
// the box's middle keep their proportions.
struct Projection {
  QRectF frame;
  MapBox box;
  double scale = 1, cosine = 1;
  Projection(const QRectF& area, const MapBox& b) : box(b) {
    cosine = std::cos((b.north + b.south) / 2 * std::numbers::pi / 180);
    const double w = (b.east - b.west) * cosine, h = b.north - b.south;
    scale = std::min(area.width() / w, area.height() / h);
    const QSizeF size(w * scale, h * scale);
    frame = QRectF(area.center() - QPointF(size.width() / 2, size.height() / 2), size);
  }
  QPointF at(double lat, double lon) const {
    return {frame.left() + (lon - box.west) * cosine * scale, frame.top() + (box.north - lat) * scale};
  }
};

void paintCoastlines(QPainter& p, const Projection& proj, const std::vector<Coastline>& coastlines) {
  p.setPen(QPen(QColor(0x70, 0x80, 0x90), 0.8));
  const MapBox& b = proj.box;
  for (const Coastline& line : coastlines) {
    QPainterPath path;
    bool drawing = false;
    for (const LatLon& pt : line) {
      const bool inside = pt.longitude >= b.west - 1 && pt.longitude <= b.east + 1 && pt.latitude >= b.south - 1 &&
                          pt.latitude <= b.north + 1;
      if (!inside) {
        drawing = false;
        continue;
      }
      const QPointF q = proj.at(pt.latitude, pt.longitude);
      if (drawing) path.lineTo(q);
      else path.moveTo(q);
      drawing = true;
    }
    p.drawPath(path);
  }
}

void paintLegend(QPainter& p, const QRectF& frame) {
  const QFontMetricsF fm(p.font());
  const double line = fm.height() * 1.2;
  QPointF at = frame.topLeft() + QPointF(10, 10 + fm.ascent());
  for (const Evidence e : {Evidence::Strong, Evidence::Starred, Evidence::Weak, Evidence::None, Evidence::NoOverlap}) {
    p.setPen(QPen(Qt::black, 0.5));
    p.setBrush(colourOf(e));
    p.drawEllipse(at + QPointF(5, -fm.ascent() / 3), 5, 5);
    p.setPen(Qt::black);
    p.drawText(at + QPointF(16, 0), QString::fromUtf8(evidenceLabel(e)));
    at.ry() += line;
  }
}

}  // namespace

const std::vector<Coastline>& worldCoastlines() {
  static const std::vector<Coastline> lines = loadCoastlines(kCoastlineFile, kCoastlineStep);
  return lines;
}

void paintLibraryMap(QPainter& p, const QRectF& area, const LibraryMap& map, const std::vector<Coastline>& coastlines) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  const QFontMetricsF fm(p.font());
  const QRectF mapArea = area.adjusted(4, 4, -4, -4 - 2 * fm.height());
  const Projection proj(mapArea, map.box);
  p.fillRect(proj.frame, QColor(0xf4, 0xf8, 0xfb));
  p.setClipRect(proj.frame);
  paintCoastlines(p, proj, coastlines);
  for (const MapMark& mark : map.marks) {
    const QPointF c = proj.at(mark.at.latitude, mark.at.longitude);
    p.setPen(QPen(Qt::black, mark.best ? 2.0 : 0.6));
    p.setBrush(colourOf(mark.evidence));
    const double r = mark.best ? 8 : 5;
    p.drawEllipse(c, r, r);
    if (mark.best) {
      p.setBrush(Qt::NoBrush);
      p.drawEllipse(c, r + 4, r + 4);
      p.drawText(c + QPointF(r + 7, -r), QString::fromStdString(mark.name));
    }
  }
  p.setClipping(false);
  p.setPen(QPen(Qt::black, 0.8));
  p.setBrush(Qt::NoBrush);
  p.drawRect(proj.frame);
  paintLegend(p, proj.frame);
  QString note = QString::fromUtf8(kMapHint);
  if (map.hasWinningYear) note = QStringLiteral("Evidence for the series ending in %1. ").arg(map.winningYear) + note;
  if (coastlines.empty()) note += QStringLiteral(" (No coastlines: install xtide-coastline.)");
  p.setPen(Qt::black);
  p.drawText(QRectF(area.left(), proj.frame.bottom() + 4, area.width(), 2 * fm.height()),
             Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, note);
  p.restore();
}

}  // namespace veska::window
