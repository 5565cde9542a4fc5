#include "hosts/window/pair_chart.h"

#include <QPainter>
#include <QPainterPath>

#include "hosts/window/model/pair_break_view.h"
#include "hosts/window/model/pair_plots.h"
#include "hosts/window/model/pair_window_model.h"
#include "hosts/window/picture_file.h"
#include "match/pair_match.h"

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
const QColor kLabelGround(255, 255, 255, 225);
const QColor kBreak(0xb0, 0x30, 0x30);
const QColor kLikely(0xf6, 0xe0, 0xdc);

QFont textFont(int pixels, bool bold = false) {
  QFont f(QStringLiteral("DejaVu Sans"));
  f.setPixelSize(pixels);
  f.setBold(bold);
  return f;
}

QFont monoFont(int pixels) {
  QFont f(QStringLiteral("DejaVu Sans Mono"));
  f.setStyleHint(QFont::TypeWriter);
  f.setPixelSize(pixels);
  return f;
}

QRectF toQt(const Rect& r) { return {r.left, r.top, r.width, r.height}; }
QPointF toQt(Point p) { return {p.x, p.y}; }
QString text(const std::string& utf8) { return QString::fromStdString(utf8); }

void drawLines(QPainter& p, const std::vector<Polyline>& lines, const QPen& pen) {
  p.setPen(pen);
  p.setBrush(Qt::NoBrush);
  for (const Polyline& line : lines) {
    QPainterPath path(toQt(line.front()));
    for (std::size_t i = 1; i < line.size(); ++i) path.lineTo(toQt(line[i]));
    p.drawPath(path);
  }
}

// The plot's title on the row above it.
void drawTitle(QPainter& p, const QRectF& plot, double above, const QString& title) {
  p.setPen(kInk);
  p.setFont(textFont(12, true));
  p.drawText(QRectF(plot.left(), plot.top() - above, plot.width(), 16), Qt::AlignLeft | Qt::AlignVCenter, title);
}

void drawXAxis(QPainter& p, const QRectF& plot, const Scale& x, const QString& label) {
  p.setFont(textFont(11));
  const Ticks ticks = ticksOver(x.data, 8, 1);  // whole rings
  for (const double v : ticks.values) {
    const double px = x.at(v);
    p.setPen(QPen(kGrid, 1));
    p.drawLine(QPointF(px, plot.top()), QPointF(px, plot.bottom()));
    p.setPen(kAxis);
    p.drawLine(QPointF(px, plot.bottom()), QPointF(px, plot.bottom() + 4));
    p.setPen(kInk);
    p.drawText(QRectF(px - 40, plot.bottom() + 5, 80, 14), Qt::AlignHCenter | Qt::AlignTop,
               QString::number(v, 'f', ticks.decimals));
  }
  p.drawText(QRectF(plot.left(), plot.bottom() + 20, plot.width(), 16), Qt::AlignHCenter | Qt::AlignTop, label);
}

void drawYAxis(QPainter& p, const QRectF& plot, const Scale& y, const QString& label) {
  p.setFont(textFont(11));
  const Ticks ticks = ticksOver(y.data, 5);
  for (const double v : ticks.values) {
    const double py = y.at(v);
    p.setPen(QPen(kGrid, 1));
    p.drawLine(QPointF(plot.left(), py), QPointF(plot.right(), py));
    p.setPen(kInk);
    p.drawText(QRectF(plot.left() - 48, py - 7, 42, 14), Qt::AlignRight | Qt::AlignVCenter,
               QString::number(v, 'f', ticks.decimals));
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

// The pair, how many placements it has, and which one is selected, in the
// room left of the slot box.
void paintTitle(QPainter& p, const QRectF& room, const PairWindowModel& model) {
  p.save();
  p.setClipRect(room);
  p.setPen(kInk);
  // A line too long for the room ends in an ellipsis: cut bare, "p_chance
  // 1.3e-55" would read as "p_chance 1".
  const auto drawLine = [&](const QRectF& line, const std::string& s) {
    p.drawText(line, Qt::AlignLeft | Qt::AlignVCenter,
               QFontMetricsF(p.font()).elidedText(text(s), Qt::ElideRight, line.width()));
  };
  p.setFont(textFont(17, true));
  const QRectF line(room.left(), room.top(), room.width(), 24);
  drawLine(line, model.firstId() + "  \u2013  " + model.secondId());
  p.setFont(textFont(12));
  drawLine(line.translated(0, 26), model.countText());
  drawLine(line.translated(0, 46), model.selectionText());
  p.restore();
}

// The selected slot under the report's own column heading, in its columns,
// and beside it how far the pair's date can be trusted; the box's left edge.
double paintSlotBox(QPainter& p, const QRectF& box, const PairWindowModel& model) {
  const QFont mono = monoFont(12);
  p.setFont(mono);
  const QFontMetricsF fm(mono);
  const QString gap = QStringLiteral("   ");
  const QString heading = text(model.slotHeading(0)) + gap + text(model.trustHeading());
  const double width = fm.horizontalAdvance(heading + QString(4, QLatin1Char(' '))) + 16;
  const QRectF slotBox(std::max(box.left(), box.right() - width), box.top(), std::min(width, box.width()),
                       3 * fm.height() + 12);
  p.setPen(QPen(kAxis, 1));
  p.setBrush(QColor(0xfa, 0xfa, 0xf7));
  p.drawRect(slotBox);
  const double x = slotBox.left() + 8;
  const double y = slotBox.top() + 6 + fm.ascent();
  p.setPen(kInk);
  p.drawText(QPointF(x, y), heading);
  p.drawText(QPointF(x, y + fm.height()), text(model.slotHeading(1)));
  p.drawText(QPointF(x + fm.horizontalAdvance(QString(23, QLatin1Char(' ')) + gap), y + 2 * fm.height()),
             text(model.trustText()));
  p.setPen(kSelected);
  p.drawText(QPointF(x, y + 2 * fm.height()), text(model.slotText()));
  return slotBox.left();
}

// The dashed star threshold and its label; the label's box.
QRectF paintThreshold(QPainter& p, const QRectF& plot, const Scale& y) {
  const double at = y.at(match::kStarThreshold);
  p.setPen(QPen(kThreshold, 1.2, Qt::DashLine));
  p.drawLine(QPointF(plot.left(), at), QPointF(plot.right(), at));
  p.setFont(textFont(11));
  const QString label = QStringLiteral("t = %1").arg(static_cast<double>(match::kStarThreshold), 0, 'f', 1);
  const QRectF box(plot.left() + 4, at - 16, QFontMetricsF(p.font()).horizontalAdvance(label) + 4, 14);
  p.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, label);
  return box;
}

// A numbered circle on each of the best three, its label beside it (joined
// by a line when there was no room beside it).
void paintMarks(QPainter& p, const std::vector<BestMark>& marks) {
  const QFont number = textFont(10, true);
  const QFont label = textFont(11, true);
  for (const BestMark& m : marks) {
    const QRectF box = toQt(m.place.box);
    if (!m.place.beside) {
      p.setPen(QPen(kThreshold, 0.8));
      const QPointF to(std::clamp(m.at.x, box.left(), box.right()), std::clamp(m.at.y, box.top(), box.bottom()));
      p.drawLine(toQt(m.at), to);
    }
    p.setPen(QPen(kThreshold, 1.4));
    p.setBrush(m.number == 1 ? QBrush(kThreshold) : QBrush(Qt::white));
    p.drawEllipse(toQt(m.at), kMarkRadius, kMarkRadius);
    p.setPen(m.number == 1 ? Qt::white : kThreshold);
    p.setFont(number);
    const QRectF circle(m.at.x - kMarkRadius, m.at.y - kMarkRadius, 2 * kMarkRadius, 2 * kMarkRadius);
    p.drawText(circle, Qt::AlignCenter, QString::number(m.number));
    p.setPen(Qt::NoPen);
    p.setBrush(kLabelGround);
    p.drawRect(box);
    p.setPen(kThreshold);
    p.setFont(label);
    p.drawText(box.adjusted(3, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, text(m.label));
  }
}

void paintCurve(QPainter& p, const Rect& plot, const PairWindowModel& model) {
  const QRectF area = toQt(plot);
  const CurvePlot curve = curvePlot(model, plot);
  drawTitle(p, area, 18, QStringLiteral("t-statistic at every placement"));
  drawYAxis(p, area, curve.y, QStringLiteral("t"));
  drawXAxis(p, area, curve.x, text(model.curveAxisText()));
  p.save();
  p.setClipRect(area);
  const QRectF threshold = paintThreshold(p, area, curve.y);
  p.setRenderHint(QPainter::Antialiasing, true);
  drawLines(p, curve.lines, QPen(kCurve, 1.0));
  if (curve.selectedAt) {
    p.setPen(QPen(kSelected, 1.2));
    p.drawLine(QPointF(*curve.selectedAt, area.top()), QPointF(*curve.selectedAt, area.bottom()));
  }
  p.restore();
  p.save();
  p.setRenderHint(QPainter::Antialiasing, true);
  const QFontMetricsF fm(textFont(11, true));
  const auto width = [&](const std::string& s) { return fm.horizontalAdvance(text(s)); };
  const Rect taken{threshold.left(), threshold.top(), threshold.width(), threshold.height()};
  paintMarks(p, bestMarks(model, curve, plot, width, 14, {taken}));
  p.restore();
  drawFrame(p, area);
}

// The legend on the row above the plot, with what the series are scaled to.
void paintLegend(QPainter& p, const QRectF& plot, const PairWindowModel& model, int overlapRings) {
  p.setFont(textFont(11));
  const QFontMetricsF fm(p.font());
  const double y = plot.top() - 9;
  double x = plot.left();
  for (const auto& [id, colour] : {std::pair{model.firstId(), kFirstSeries}, std::pair{model.secondId(), kSecondSeries}}) {
    p.setPen(QPen(colour, 2));
    p.drawLine(QPointF(x, y), QPointF(x + 18, y));
    p.setPen(kInk);
    p.drawText(QPointF(x + 22, y + fm.ascent() / 2 - 1), text(id));
    x += 22 + fm.horizontalAdvance(text(id)) + 16;
  }
  if (overlapRings <= 0) return;
  p.setPen(kAxis);
  p.drawText(QPointF(x, y + fm.ascent() / 2 - 1),
             QStringLiteral("each scaled to mean 0, sd 1 over the %1-ring overlap (shaded)").arg(overlapRings));
}

void paintOverlay(QPainter& p, const Rect& plot, const PairWindowModel& model) {
  const QRectF plotArea = toQt(plot);
  const OverlayPlot overlay = overlayPlot(model, plot);
  drawTitle(p, plotArea, 36,
            model.showsAsRead() ? QStringLiteral("Ring widths as read at the selected placement")
                                : QStringLiteral("Series as compared (prewhitened) at the selected placement"));
  paintLegend(p, plotArea, model, overlay.overlapRings);
  if (overlay.overlap)
    p.fillRect(QRectF(QPointF(overlay.overlap->lo, plotArea.top()), QPointF(overlay.overlap->hi, plotArea.bottom())),
               kOverlap);
  drawYAxis(p, plotArea, overlay.y, QStringLiteral("standard deviations"));
  drawXAxis(p, plotArea, overlay.x, text(model.overlayAxisText()));
  p.save();
  p.setClipRect(plotArea);
  p.setPen(QPen(kAxis, 1));
  p.drawLine(QPointF(plotArea.left(), overlay.y.at(0)), QPointF(plotArea.right(), overlay.y.at(0)));
  p.setRenderHint(QPainter::Antialiasing, true);
  drawLines(p, overlay.firstLines, QPen(kFirstSeries, 1.4));
  drawLines(p, overlay.secondLines, QPen(kSecondSeries, 1.4));
  p.restore();
  drawFrame(p, plotArea);
}

// The break check's headline (red when it found a break) and its detail.
void paintCheck(QPainter& p, const QRectF& room, const PairWindowModel& model) {
  const CheckLines lines = checkLines(model);
  const bool found = model.check().check.answer == match::CheckAnswer::Break;
  p.save();
  p.setClipRect(room);
  p.setFont(textFont(12, found));
  p.setPen(found ? kBreak : kInk);
  const QFontMetricsF fm(p.font());
  const QRectF line(room.left(), room.top(), room.width(), 16);
  p.drawText(line, Qt::AlignLeft | Qt::AlignVCenter, fm.elidedText(text(lines.headline), Qt::ElideRight, line.width()));
  p.setFont(textFont(12));
  p.setPen(kInk);
  p.drawText(line.translated(0, 17), Qt::AlignLeft | Qt::AlignVCenter,
             QFontMetricsF(p.font()).elidedText(text(lines.detail), Qt::ElideRight, line.width()));
  p.restore();
}

// The two curves' legend on the row above the agreement plot.
void paintAgreementLegend(QPainter& p, const QRectF& plot, const AgreementPlot& a) {
  p.setFont(textFont(11));
  const QFontMetricsF fm(p.font());
  const double y = plot.top() - 9;
  double x = plot.left();
  for (const auto& [label, colour] : {std::pair{a.beforeLabel, kFirstSeries}, std::pair{a.afterLabel, kSecondSeries}}) {
    if (label.empty()) continue;
    p.setPen(QPen(colour, 2));
    p.drawLine(QPointF(x, y), QPointF(x + 18, y));
    p.setPen(kInk);
    p.drawText(QPointF(x + 22, y + fm.ascent() / 2 - 1), text(label));
    x += 22 + fm.horizontalAdvance(text(label)) + 16;
  }
}

void paintAgreement(QPainter& p, const Rect& plot, const PairWindowModel& model) {
  const QRectF area = toQt(plot);
  const AgreementPlot a = agreementPlot(model, plot);
  drawTitle(p, area, 36, QStringLiteral("Running agreement along the overlap (correlation over 31 rings)"));
  paintAgreementLegend(p, area, a);
  if (a.likely) p.fillRect(QRectF(QPointF(a.likely->lo, area.top()), QPointF(a.likely->hi, area.bottom())), kLikely);
  drawYAxis(p, area, a.y, QStringLiteral("r"));
  drawXAxis(p, area, a.x, text(agreementAxisText(model)));
  p.save();
  p.setClipRect(area);
  p.setPen(QPen(kAxis, 1));
  p.drawLine(QPointF(area.left(), a.y.at(0)), QPointF(area.right(), a.y.at(0)));
  if (a.breakAt) {
    p.setPen(QPen(kBreak, 1.4, Qt::DashLine));
    p.drawLine(QPointF(*a.breakAt, area.top()), QPointF(*a.breakAt, area.bottom()));
  }
  p.setRenderHint(QPainter::Antialiasing, true);
  drawLines(p, a.before, QPen(kFirstSeries, 1.4));
  drawLines(p, a.after, QPen(kSecondSeries, 1.4));
  p.restore();
  drawFrame(p, area);
}

}  // namespace

void paintPairChart(QPainter& painter, const QRectF& area, const PairWindowModel& model) {
  painter.save();
  painter.fillRect(area, Qt::white);
  const PairLayout l = layoutPair({area.left(), area.top(), area.width(), area.height()});
  const QRectF header = toQt(l.header);
  const double slotBoxLeft = paintSlotBox(painter, header, model);
  paintTitle(painter, QRectF(header.topLeft(), QPointF(slotBoxLeft - 10, header.bottom())), model);
  paintCheck(painter, toQt(l.check), model);
  paintCurve(painter, l.curve, model);
  paintOverlay(painter, l.overlay, model);
  paintAgreement(painter, l.agreement, model);
  painter.restore();
}

std::optional<QString> savePairPicture(const QString& path, const PairWindowModel& model, QSize size) {
  return savePicture(path, size, text(model.firstId() + " - " + model.secondId()),
                     [&model](QPainter& p, const QRectF& area) { paintPairChart(p, area, model); });
}

}  // namespace veska::window
