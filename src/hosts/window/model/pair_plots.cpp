#include "hosts/window/model/pair_plots.h"

#include <algorithm>
#include <cmath>

#include "records/numeric_output.h"

namespace veska::window {
namespace {

// The overlay's vertical axis in standard deviations, and how far a value
// may stray beyond it before it is drawn at the edge.
constexpr Range kStandardRange{-4.2, 4.2};
constexpr double kFarthest = 6;

const match::PlacementRow& rowAt(const PairWindowModel& model, int k) {
  return model.placements()[static_cast<std::size_t>(k)];
}

// Points of `values` (value i on axis value first + i) within the view and
// one beyond it on each side, so that lines run on to the plot's edges.
std::vector<Polyline> seriesLines(const std::vector<float>& values, double first, const Standardised& s,
                                  const Scale& x, const Scale& y) {
  std::vector<Polyline> lines(1);
  for (std::size_t i = 0; i < values.size(); ++i) {
    const double at = first + static_cast<double>(i);
    if (at < x.data.lo - 1 || at > x.data.hi + 1 || !std::isfinite(values[i])) {
      if (!lines.back().empty()) lines.emplace_back();
      continue;
    }
    const double z = std::clamp((values[i] - s.mean) / s.sd, -kFarthest, kFarthest);
    lines.back().push_back({x.at(at), y.at(z)});
  }
  if (lines.back().empty()) lines.pop_back();
  return lines;
}

std::string tText(float t) {
  const std::string text = records::formatFixed(t, 5, 1);
  return text.substr(text.find_first_not_of(' '));
}

}  // namespace

CurvePlot curvePlot(const PairWindowModel& model, const Rect& plot) {
  const Range in = model.curveView();
  CurvePlot c{{in, plot.left, plot.right()}, {model.tRange(), plot.bottom(), plot.top}, {}, {}};
  c.lines.emplace_back();
  for (const int k : model.alongAxis()) {
    const match::PlacementRow& row = rowAt(model, k);
    const double at = static_cast<double>(row.secondEndsAt);
    if (at < in.lo - 1 || at > in.hi + 1 || !std::isfinite(row.tStatistic)) {
      if (!c.lines.back().empty()) c.lines.emplace_back();
      continue;
    }
    c.lines.back().push_back({c.x.at(at), c.y.at(row.tStatistic)});
  }
  if (c.lines.back().empty()) c.lines.pop_back();
  if (const auto k = model.selected()) {
    const double at = static_cast<double>(rowAt(model, *k).secondEndsAt);
    if (in.contains(at)) c.selectedAt = c.x.at(at);
  }
  return c;
}

std::vector<BestMark> bestMarks(const PairWindowModel& model, const CurvePlot& curve, const Rect& plot,
                                const TextWidth& width, double textHeight, const std::vector<Rect>& taken) {
  std::vector<BestMark> marks;
  std::vector<LabelRequest> requests;
  for (int j = 0; j < 3; ++j) {
    const auto k = model.marked(j);
    if (!k) continue;
    const match::PlacementRow& row = rowAt(model, *k);
    if (!model.curveView().contains(static_cast<double>(row.secondEndsAt))) continue;
    // An infinite t (identical stretches) is marked at the plot's edge.
    const double y = std::clamp(curve.y.at(row.tStatistic), plot.top + kMarkRadius, plot.bottom() - kMarkRadius);
    const Point at{curve.x.at(static_cast<double>(row.secondEndsAt)), y};
    const match::Slot& slot = model.evidence().bestSlot(j);
    // The number again: two marks a few rings apart share their labels' room.
    const std::string label = std::to_string(j + 1) + ": " + std::to_string(slot.lastRingFirst) + " " +
                              std::to_string(slot.lastRingSecond) + "  t " + tText(slot.tStatistic);
    marks.push_back({j + 1, at, label, {}});
    requests.push_back({at, width(label) + 6, textHeight});
  }
  const std::vector<PlacedLabel> placed = placeLabels(requests, kMarkRadius, plot, taken, curve.lines);
  for (std::size_t i = 0; i < marks.size(); ++i) marks[i].place = placed[i];
  return marks;
}

Standardised overStretch(const std::vector<float>& values, int start, int count) {
  Standardised s;
  const auto from = static_cast<std::size_t>(std::max(0, start));
  const std::size_t to = std::min(values.size(), from + static_cast<std::size_t>(std::max(0, count)));
  double sum = 0;
  int n = 0;
  for (std::size_t i = from; i < to; ++i)
    if (std::isfinite(values[i])) {
      sum += values[i];
      ++n;
    }
  if (n == 0) return s;
  s.mean = sum / n;
  double squares = 0;
  for (std::size_t i = from; i < to; ++i)
    if (std::isfinite(values[i])) squares += (values[i] - s.mean) * (values[i] - s.mean);
  const double sd = n > 1 ? std::sqrt(squares / (n - 1)) : 0;
  s.sd = sd > 0 && std::isfinite(sd) ? sd : 1;
  return s;
}

OverlayPlot overlayPlot(const PairWindowModel& model, const Rect& plot) {
  const Range in = model.overlayView();
  OverlayPlot o{{in, plot.left, plot.right()}, {kStandardRange, plot.bottom(), plot.top}, {}, {}, {}, 0};
  const auto k = model.selected();
  if (!k) return o;
  const match::PlacementRow& row = rowAt(model, *k);
  const bool asRead = model.showsAsRead();
  const std::vector<float>& first = asRead ? model.first().asRead : model.first().compared;
  const std::vector<float>& second = asRead ? model.second().asRead : model.second().compared;
  o.firstLines = seriesLines(first, model.first().firstYear, overStretch(first, row.startFirst, row.overlap), o.x, o.y);
  o.secondLines = seriesLines(second, model.secondShift(), overStretch(second, row.startSecond, row.overlap), o.x, o.y);
  const Range years = model.overlapYears();
  const double from = std::max(years.lo - 0.5, in.lo), to = std::min(years.hi + 0.5, in.hi);
  if (from < to) o.overlap = Range{o.x.at(from), o.x.at(to)};
  o.overlapRings = row.overlap;
  return o;
}

}  // namespace veska::window
