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

constexpr Evidence kClasses[] = {Evidence::Strong, Evidence::Starred, Evidence::Weak, Evidence::None,
                                 Evidence::NoOverlap};
constexpr double kMarkRoom = 16, kGap = 14;

double itemWidth(const QFontMetricsF& fm, Evidence e) {
  return kMarkRoom + fm.horizontalAdvance(QString::fromUtf8(evidenceLabel(e)));
}

// The classes under the map, so that no mark is hidden behind them: one
// centred row, or two when the map is too narrow for one.
void paintLegend(QPainter& p, const QRectF& room) {
  const QFontMetricsF fm(p.font());
  std::vector<std::vector<Evidence>> rows(1);
  double used = 0;
  for (const Evidence e : kClasses) {
    if (!rows.back().empty() && used + itemWidth(fm, e) > room.width()) {
      rows.emplace_back();
      used = 0;
    }
    rows.back().push_back(e);
    used += itemWidth(fm, e) + kGap;
  }
  double baseline = room.top() + fm.ascent();
  for (const std::vector<Evidence>& row : rows) {
    double width = -kGap;
    for (const Evidence e : row) width += itemWidth(fm, e) + kGap;
    QPointF at(room.center().x() - width / 2, baseline);
    for (const Evidence e : row) {
      p.setPen(QPen(Qt::black, 0.5));
      p.setBrush(colourOf(e));
      p.drawEllipse(at + QPointF(5, -fm.ascent() / 3), 5, 5);
      p.setPen(Qt::black);
      p.drawText(at + QPointF(kMarkRoom, 0), QString::fromUtf8(evidenceLabel(e)));
      at.rx() += itemWidth(fm, e) + kGap;
    }
    baseline += fm.height();
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
  // Below the map: up to two rows of the legend, then two lines of the note.
  const QRectF mapArea = area.adjusted(4, 4, -4, -4 - 4.5 * fm.height());
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
  paintLegend(p, QRectF(area.left(), proj.frame.bottom() + 4, area.width(), 2 * fm.height()));
  QString note = QString::fromUtf8(kMapHint);
  if (map.hasWinningYear) note = QStringLiteral("Evidence for the series ending in %1. ").arg(map.winningYear) + note;
  if (coastlines.empty()) note += QStringLiteral(" (No coastlines: install xtide-coastline.)");
  p.setPen(Qt::black);
  p.drawText(QRectF(area.left(), proj.frame.bottom() + 8 + 2 * fm.height(), area.width(), 2 * fm.height()),
             Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, note);
  p.restore();
}

}  // namespace veska::window
