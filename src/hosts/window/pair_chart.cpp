// Before any Qt header (see pair_chart.h).
#include "match/pair_evidence.h"

#include "hosts/window/pair_chart.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <vector>

#include <QFileInfo>
#include <QFontDatabase>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QSvgGenerator>

namespace veska::window {
namespace {

const QColor kInk(0x22, 0x22, 0x22);
const QColor kGrid(0xe3, 0xe3, 0xe3);
const QColor kAxis(0x88, 0x88, 0x88);
const QColor kCurve(0x33, 0x33, 0x33);
const QColor kThreshold(0xb0, 0x30, 0x30);
const QColor kSelected(0x1f, 0x5f, 0xbf);
const QColor kFirstSeries(0x1f, 0x4e, 0x9a);
const QColor kSecondSeries(0xd0, 0x5a, 0x10);
const QColor kOverlap(0xf1, 0xee, 0xe2);

constexpr double kMargin = 14;
constexpr double kLeftAxis = 58;
constexpr double kBottomAxis = 38;

QFont textFont(int pixels, bool bold = false) {
  QFont f(QStringLiteral("DejaVu Sans"));
  f.setPixelSize(pixels);
  f.setBold(bold);
  return f;
}

QFont monoFont(int pixels) {
  QFont f = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  f.setFamily(QStringLiteral("DejaVu Sans Mono"));
  f.setPixelSize(pixels);
  return f;
}

QString idText(const std::u32string& id) { return QString::fromStdU32String(id).trimmed(); }

// The parts of the picture, from the area alone.
struct Layout {
  QRectF header;
  QRectF curve;    // the t-curve's plot area
  QRectF overlay;  // the series' plot area
};

Layout layoutOf(const QRectF& area) {
  Layout l;
  const double headerHeight = 74;
  l.header = QRectF(area.left() + kMargin, area.top() + kMargin, area.width() - 2 * kMargin, headerHeight);
  const double plotsTop = l.header.bottom() + 10;
  const double plotsHeight = area.bottom() - kMargin - plotsTop;
  const double curveHeight = std::max(40.0, plotsHeight * 0.52 - kBottomAxis);
  const double left = area.left() + kMargin + kLeftAxis;
  const double width = std::max(40.0, area.right() - kMargin - left);
  l.curve = QRectF(left, plotsTop + 18, width, curveHeight - 18);
  const double overlayTop = l.curve.bottom() + kBottomAxis + 24;
  l.overlay = QRectF(left, overlayTop, width, std::max(40.0, area.bottom() - kMargin - kBottomAxis - overlayTop));
  return l;
}

// A tick step of 1, 2 or 5 times a power of ten giving about `count` ticks.
double tickStep(double span, int count) {
  if (!(span > 0) || !std::isfinite(span)) return 1;
  const double raw = span / count;
  const double power = std::pow(10.0, std::floor(std::log10(raw)));
  for (const double m : {1.0, 2.0, 5.0, 10.0})
    if (raw <= m * power) return m * power;
  return 10 * power;
}

struct Scale {
  double lo = 0, hi = 1;   // data
  double from = 0, to = 1; // pixels
  double at(double v) const { return from + (v - lo) / (hi - lo) * (to - from); }
  double value(double px) const { return lo + (px - from) / (to - from) * (hi - lo); }
};

QString numberText(double v, double step) {
  const int decimals = step >= 1 ? 0 : static_cast<int>(std::ceil(-std::log10(step)));
  return QString::number(v, 'f', decimals);
}

void drawXAxis(QPainter& p, const QRectF& plot, const Scale& x, const QString& label) {
  p.setFont(textFont(11));
  const double step = std::max(1.0, tickStep(x.hi - x.lo, 8));
  for (double v = std::ceil(x.lo / step) * step; v <= x.hi; v += step) {
    const double px = x.at(v);
    p.setPen(QPen(kGrid, 1));
    p.drawLine(QPointF(px, plot.top()), QPointF(px, plot.bottom()));
    p.setPen(kAxis);
    p.drawLine(QPointF(px, plot.bottom()), QPointF(px, plot.bottom() + 4));
    p.setPen(kInk);
    p.drawText(QRectF(px - 40, plot.bottom() + 5, 80, 14), Qt::AlignHCenter | Qt::AlignTop, numberText(v, step));
  }
  p.setPen(kInk);
  p.drawText(QRectF(plot.left(), plot.bottom() + 20, plot.width(), 16), Qt::AlignHCenter | Qt::AlignTop, label);
}

void drawYAxis(QPainter& p, const QRectF& plot, const Scale& y, const QString& label) {
  p.setFont(textFont(11));
  const double step = tickStep(y.hi - y.lo, 5);
  for (double v = std::ceil(y.lo / step) * step; v <= y.hi + step * 1e-9; v += step) {
    const double py = y.at(v);
    p.setPen(QPen(kGrid, 1));
    p.drawLine(QPointF(plot.left(), py), QPointF(plot.right(), py));
    p.setPen(kInk);
    p.drawText(QRectF(plot.left() - 48, py - 7, 42, 14), Qt::AlignRight | Qt::AlignVCenter,
               numberText(std::abs(v) < step * 1e-9 ? 0 : v, step));
  }
  p.save();
  p.translate(plot.left() - 50, plot.center().y());
  p.rotate(-90);
  p.drawText(QRectF(-plot.height() / 2, -14, plot.height(), 14), Qt::AlignCenter, label);
  p.restore();
}

void drawFrame(QPainter& p, const QRectF& plot) {
  p.setPen(QPen(kAxis, 1));
  p.setBrush(Qt::NoBrush);
  p.drawRect(plot);
}

Scale curveX(const PairPicture& pic, const QRectF& plot) {
  const auto& rows = pic.evidence->placements();
  Scale x{0, 1, plot.left(), plot.right()};
  if (rows.empty()) return x;
  const auto [lo, hi] = std::minmax_element(rows.begin(), rows.end(), [](const auto& a, const auto& b) {
    return a.secondEndsAt < b.secondEndsAt;
  });
  x.lo = static_cast<double>(lo->secondEndsAt) - 1;
  x.hi = static_cast<double>(hi->secondEndsAt) + 1;
  return x;
}

void paintHeader(QPainter& p, const QRectF& box, const PairPicture& pic) {
  const auto& ev = *pic.evidence;
  p.setPen(kInk);
  p.setFont(textFont(17, true));
  const QString title = idText(pic.first->id) + QStringLiteral("  \u2013  ") + idText(pic.second->id);
  p.drawText(QRectF(box.left(), box.top(), box.width() * 0.55, 24), Qt::AlignLeft | Qt::AlignVCenter, title);
  p.setFont(textFont(12));
  const int count = static_cast<int>(ev.placements().size());
  QString sub = QStringLiteral("%1 placements with at least 50 rings of overlap").arg(count);
  p.drawText(QRectF(box.left(), box.top() + 28, box.width() * 0.55, 18), Qt::AlignLeft | Qt::AlignVCenter, sub);
  QString where;
  if (pic.selected >= 0) {
    where = QStringLiteral("placement %1 of %2").arg(pic.selected + 1).arg(count);
    for (int j = 0; j < 3; ++j)
      if (ev.marked()[static_cast<std::size_t>(j)] == pic.selected) {
        where += QStringLiteral(", best %1").arg(j + 1);
        break;
      }
  }
  p.drawText(QRectF(box.left(), box.top() + 48, box.width() * 0.55, 18), Qt::AlignLeft | Qt::AlignVCenter, where);

  // The slot under the report's own column header, in the report's columns.
  const QFont mono = monoFont(13);
  p.setFont(mono);
  const QFontMetricsF fm(mono);
  const double width = fm.horizontalAdvance(QString(23, QLatin1Char('0'))) + 16;
  const QRectF slotBox(box.right() - width, box.top(), width, 3 * fm.height() + 12);
  p.setPen(QPen(kAxis, 1));
  p.setBrush(QColor(0xfa, 0xfa, 0xf7));
  p.drawRect(slotBox);
  p.setPen(kInk);
  const double x = slotBox.left() + 8;
  double y = slotBox.top() + 6 + fm.ascent();
  p.drawText(QPointF(x, y), QStringLiteral(" LAST RING  N CORR  T- "));
  y += fm.height();
  p.drawText(QPointF(x, y), QStringLiteral(" COMPARED  YRS     STAT"));
  y += fm.height();
  if (pic.selected >= 0) {
    p.setPen(kSelected);
    p.drawText(QPointF(x, y), QString::fromStdString(ev.slotText(pic.selected)));
  }
}

void paintCurve(QPainter& p, const QRectF& plot, const PairPicture& pic) {
  const auto& ev = *pic.evidence;
  const auto& rows = ev.placements();
  const Scale x = curveX(pic, plot);
  double tLo = -2, tHi = 4.5;
  for (const auto& r : rows)
    if (std::isfinite(r.tStatistic)) {
      tLo = std::min(tLo, static_cast<double>(r.tStatistic));
      tHi = std::max(tHi, static_cast<double>(r.tStatistic));
    }
  const double pad = (tHi - tLo) * 0.08;
  const Scale y{tLo - pad, tHi + pad * 2.5, plot.bottom(), plot.top()};

  p.setPen(kInk);
  p.setFont(textFont(12, true));
  p.drawText(QRectF(plot.left(), plot.top() - 18, plot.width(), 16), Qt::AlignLeft | Qt::AlignVCenter,
             QStringLiteral("t-statistic at every placement"));
  drawYAxis(p, plot, y, QStringLiteral("t"));
  drawXAxis(p, plot, x,
            QStringLiteral("year of %1 on which the last ring of %2 lies")
                .arg(idText(pic.first->id), idText(pic.second->id)));

  p.save();
  p.setClipRect(plot);
  // The star threshold.
  p.setPen(QPen(kThreshold, 1.2, Qt::DashLine));
  p.drawLine(QPointF(plot.left(), y.at(3.5)), QPointF(plot.right(), y.at(3.5)));
  p.setFont(textFont(11));
  p.drawText(QRectF(plot.left() + 4, y.at(3.5) - 16, 80, 14), Qt::AlignLeft | Qt::AlignVCenter,
             QStringLiteral("t = 3.5"));

  // The curve along the axis; a placement without a finite t breaks it.
  std::vector<std::size_t> order(rows.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::sort(order.begin(), order.end(),
            [&](std::size_t a, std::size_t b) { return rows[a].secondEndsAt < rows[b].secondEndsAt; });
  QPainterPath path;
  bool open = false;
  for (const std::size_t k : order) {
    const float t = rows[k].tStatistic;
    if (!std::isfinite(t)) {
      open = false;
      continue;
    }
    const QPointF pt(x.at(static_cast<double>(rows[k].secondEndsAt)), y.at(t));
    if (open) {
      path.lineTo(pt);
    } else {
      path.moveTo(pt);
      open = true;
    }
  }
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setPen(QPen(kCurve, 1.0));
  p.setBrush(Qt::NoBrush);
  p.drawPath(path);

  // The selected placement.
  if (pic.selected >= 0) {
    const double px = x.at(static_cast<double>(rows[static_cast<std::size_t>(pic.selected)].secondEndsAt));
    p.setPen(QPen(kSelected, 1.2));
    p.drawLine(QPointF(px, plot.top()), QPointF(px, plot.bottom()));
  }
  p.restore();

  // The best three, labelled with the report's last rings and t; a label
  // that would cover an earlier one moves up (or, at the top, down).
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setFont(textFont(11, true));
  const QFontMetricsF fm(p.font());
  std::vector<QRectF> placed;
  for (int j = 0; j < 3; ++j) {
    const int k = ev.marked()[static_cast<std::size_t>(j)];
    if (k < 0) continue;
    const auto& slot = ev.bestSlot(j);
    const auto& row = rows[static_cast<std::size_t>(k)];
    const double t = std::isfinite(row.tStatistic) ? row.tStatistic : tHi;
    const QPointF pt(x.at(static_cast<double>(row.secondEndsAt)), y.at(t));
    p.setPen(QPen(kThreshold, 1.6));
    p.setBrush(j == 0 ? QBrush(kThreshold) : QBrush(Qt::white));
    p.drawEllipse(pt, 4.5, 4.5);
    const QString label = QStringLiteral("%1: %2 %3  t %4")
                              .arg(j + 1)
                              .arg(slot.lastRingFirst)
                              .arg(slot.lastRingSecond)
                              .arg(QString::number(static_cast<double>(row.tStatistic), 'f', 1));
    const double w = fm.horizontalAdvance(label) + 6;
    double lx = pt.x() + 7;
    if (lx + w > plot.right()) lx = pt.x() - 7 - w;
    QRectF box(lx, pt.y() - 18, w, 14);
    const auto covers = [&](const QRectF& r) {
      return std::any_of(placed.begin(), placed.end(), [&](const QRectF& q) { return q.intersects(r); });
    };
    while ((covers(box) || box.top() < plot.top() + 2) && box.top() >= plot.top() + 2) box.translate(0, -15);
    if (box.top() < plot.top() + 2) {
      box.moveTop(pt.y() + 6);
      while (covers(box) && box.bottom() < plot.bottom()) box.translate(0, 15);
    }
    placed.push_back(box);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 220));
    p.drawRect(box);
    p.setPen(kThreshold);
    p.drawText(box.adjusted(3, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, label);
  }
  drawFrame(p, plot);
}

struct Standardised {
  double mean = 0, sd = 1;
};

Standardised overOverlap(const std::vector<float>& v, int start, int m) {
  Standardised s;
  const int end = std::min(static_cast<int>(v.size()), start + m);
  int n = 0;
  double sum = 0;
  for (int i = start; i < end; ++i)
    if (std::isfinite(v[static_cast<std::size_t>(i)])) {
      sum += v[static_cast<std::size_t>(i)];
      ++n;
    }
  if (n == 0) return s;
  s.mean = sum / n;
  double ss = 0;
  for (int i = start; i < end; ++i)
    if (std::isfinite(v[static_cast<std::size_t>(i)])) ss += (v[static_cast<std::size_t>(i)] - s.mean) * (v[static_cast<std::size_t>(i)] - s.mean);
  const double sd = n > 1 ? std::sqrt(ss / (n - 1)) : 0;
  s.sd = sd > 0 && std::isfinite(sd) ? sd : 1;
  return s;
}

void paintOverlay(QPainter& p, const QRectF& plot, const PairPicture& pic) {
  const auto& rows = pic.evidence->placements();
  const QString firstId = idText(pic.first->id);
  const QString secondId = idText(pic.second->id);
  p.setPen(kInk);
  p.setFont(textFont(12, true));
  const QString what = pic.asRead ? QStringLiteral("Ring widths as read at the selected placement")
                                  : QStringLiteral("Series as compared (prewhitened) at the selected placement");
  p.drawText(QRectF(plot.left(), plot.top() - 18, plot.width(), 16), Qt::AlignLeft | Qt::AlignVCenter, what);
  if (pic.selected < 0) {
    drawFrame(p, plot);
    return;
  }
  const auto& row = rows[static_cast<std::size_t>(pic.selected)];
  const std::vector<float>& v1 = pic.asRead ? pic.first->asRead : pic.first->compared;
  const std::vector<float>& v2 = pic.asRead ? pic.second->asRead : pic.second->compared;
  const Standardised s1 = overOverlap(v1, row.startFirst, row.overlap);
  const Standardised s2 = overOverlap(v2, row.startSecond, row.overlap);
  // Years in the first series' years: its value i is year first + i; the
  // second series' value j lies on the year that places its compared ring
  // startSecond on the first's ring startFirst.
  const double f1 = pic.first->firstYear;
  const double shift = f1 + row.startFirst - row.startSecond;
  const double overlapFrom = f1 + row.startFirst;
  const double overlapTo = overlapFrom + row.overlap - 1;
  const double margin = std::max(10.0, row.overlap * 0.2);
  const double unionFrom = std::min(f1, shift);
  const double unionTo = std::max(f1 + static_cast<double>(v1.size()) - 1, shift + static_cast<double>(v2.size()) - 1);
  const Scale x{std::max(unionFrom, overlapFrom - margin) - 0.5, std::min(unionTo, overlapTo + margin) + 0.5,
                plot.left(), plot.right()};
  const Scale y{-4.2, 4.2, plot.bottom(), plot.top()};

  p.setPen(Qt::NoPen);
  p.setBrush(kOverlap);
  p.drawRect(QRectF(QPointF(x.at(overlapFrom - 0.5), plot.top()), QPointF(x.at(overlapTo + 0.5), plot.bottom())));
  drawYAxis(p, plot, y, QStringLiteral("standard deviations"));
  drawXAxis(p, plot, x, QStringLiteral("years of %1").arg(firstId));

  p.save();
  p.setClipRect(plot);
  p.setPen(QPen(kAxis, 1));
  p.drawLine(QPointF(plot.left(), y.at(0)), QPointF(plot.right(), y.at(0)));
  p.setRenderHint(QPainter::Antialiasing, true);
  const auto drawSeries = [&](const std::vector<float>& v, double firstYear, const Standardised& s, const QColor& c) {
    QPainterPath path;
    bool open = false;
    for (std::size_t i = 0; i < v.size(); ++i) {
      const double year = firstYear + static_cast<double>(i);
      if (year < x.lo - 1 || year > x.hi + 1 || !std::isfinite(v[i])) {
        open = false;
        continue;
      }
      const double z = std::clamp((v[i] - s.mean) / s.sd, -6.0, 6.0);
      const QPointF pt(x.at(year), y.at(z));
      if (open) {
        path.lineTo(pt);
      } else {
        path.moveTo(pt);
        open = true;
      }
    }
    p.setPen(QPen(c, 1.4));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
  };
  drawSeries(v1, f1, s1, kFirstSeries);
  drawSeries(v2, shift, s2, kSecondSeries);
  p.restore();

  // The legend, with what the curves are scaled to.
  p.setFont(textFont(11));
  const QString scaled = QStringLiteral("each scaled to mean 0, sd 1 over the %1-ring overlap (shaded)").arg(row.overlap);
  const QFontMetricsF fm(p.font());
  double lx = plot.left() + 8;
  const double ly = plot.top() + 6;
  for (const auto& [text, colour] : {std::pair{firstId, kFirstSeries}, std::pair{secondId, kSecondSeries}}) {
    p.setPen(QPen(colour, 2));
    p.drawLine(QPointF(lx, ly + 7), QPointF(lx + 18, ly + 7));
    p.setPen(kInk);
    p.drawText(QPointF(lx + 22, ly + 7 + fm.ascent() / 2 - 1), text);
    lx += 22 + fm.horizontalAdvance(text) + 16;
  }
  p.setPen(kAxis);
  p.drawText(QPointF(lx, ly + 7 + fm.ascent() / 2 - 1), scaled);
  drawFrame(p, plot);
}

}  // namespace

void paintPairChart(QPainter& painter, const QRectF& area, const PairPicture& picture) {
  painter.save();
  painter.fillRect(area, Qt::white);
  if (picture.first && picture.second && picture.evidence) {
    const Layout l = layoutOf(area);
    paintHeader(painter, l.header, picture);
    paintCurve(painter, l.curve, picture);
    paintOverlay(painter, l.overlay, picture);
  }
  painter.restore();
}

int placementAtPoint(const QRectF& area, const PairPicture& picture, QPointF point) {
  if (!picture.evidence || picture.evidence->placements().empty()) return -1;
  const Layout l = layoutOf(area);
  if (!l.curve.adjusted(-4, -4, 4, 4).contains(point)) return -1;
  const double year = curveX(picture, l.curve).value(point.x());
  const auto& rows = picture.evidence->placements();
  int nearest = 0;
  for (int k = 1; k < static_cast<int>(rows.size()); ++k) {
    if (std::abs(static_cast<double>(rows[static_cast<std::size_t>(k)].secondEndsAt) - year) <
        std::abs(static_cast<double>(rows[static_cast<std::size_t>(nearest)].secondEndsAt) - year))
      nearest = k;
  }
  return nearest;
}

bool savePairPicture(const QString& path, const PairPicture& picture, QSize size, QString* error) {
  const QString kind = QFileInfo(path).suffix().toLower();
  const QRectF area(QPointF(0, 0), QSizeF(size));
  const auto fail = [&](const QString& why) {
    if (error) *error = why;
    return false;
  };
  if (kind == QLatin1String("png")) {
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::white);
    {
      QPainter painter(&image);
      paintPairChart(painter, area, picture);
    }
    return image.save(path, "PNG") || fail(QStringLiteral("The picture could not be written to %1.").arg(path));
  }
  if (kind == QLatin1String("svg")) {
    QSvgGenerator svg;
    svg.setFileName(path);
    svg.setSize(size);
    svg.setViewBox(area);
    svg.setTitle(idText(picture.first->id) + QStringLiteral(" - ") + idText(picture.second->id));
    QPainter painter;
    if (!painter.begin(&svg)) return fail(QStringLiteral("The picture could not be written to %1.").arg(path));
    paintPairChart(painter, area, picture);
    return painter.end() || fail(QStringLiteral("The picture could not be written to %1.").arg(path));
  }
  if (kind == QLatin1String("pdf")) {
    QPdfWriter pdf(path);
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(10, 10, 10, 10)));
    pdf.setTitle(idText(picture.first->id) + QStringLiteral(" - ") + idText(picture.second->id));
    QPainter painter;
    if (!painter.begin(&pdf)) return fail(QStringLiteral("The picture could not be written to %1.").arg(path));
    const QRect page = painter.viewport();
    const QSize fitted = size.scaled(page.size(), Qt::KeepAspectRatio);
    painter.setViewport(QRect(page.topLeft(), fitted));
    painter.setWindow(QRect(QPoint(0, 0), size));
    paintPairChart(painter, area, picture);
    return painter.end() || fail(QStringLiteral("The picture could not be written to %1.").arg(path));
  }
  return fail(QStringLiteral("Give the file the extension .png, .svg or .pdf."));
}

}  // namespace veska::window
