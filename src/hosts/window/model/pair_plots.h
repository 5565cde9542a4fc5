// What the pair window's two plots show, in the picture's pixels, worked out
// from the window's model for the plots' places in a layout: the scales, the
// t-curve and its three best marks with their labels, and the two series
// scaled to mean 0 and standard deviation 1 over the overlap. The painter
// only draws these.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "hosts/window/model/chart_geometry.h"
#include "hosts/window/model/label_placement.h"
#include "hosts/window/model/pair_window_model.h"

namespace veska::window {

// The width of a text in the picture's font, from whoever draws it.
using TextWidth = std::function<double(const std::string&)>;

// The t-curve's plot.
struct CurvePlot {
  Scale x;
  Scale y;
  std::vector<Polyline> lines;        // broken where t is not finite
  std::optional<double> selectedAt;   // the selected placement's pixel, when in view
};
CurvePlot curvePlot(const PairWindowModel& model, const Rect& plot);

// One of the three best placements, numbered from 1, and its label.
struct BestMark {
  int number = 1;
  Point at;
  std::string label;  // its number, the report's last rings and t
  PlacedLabel place;
};
inline constexpr double kMarkRadius = 7;
// The marks in view; their labels beside them, avoiding `taken`.
std::vector<BestMark> bestMarks(const PairWindowModel& model, const CurvePlot& curve, const Rect& plot,
                                const TextWidth& width, double textHeight, const std::vector<Rect>& taken);

// A series' mean and standard deviation over a stretch, of its finite values;
// a standard deviation that is 0 or not finite is taken as 1.
struct Standardised {
  double mean = 0;
  double sd = 1;
};
Standardised overStretch(const std::vector<float>& values, int start, int count);

// The series plot at the selected placement.
struct OverlayPlot {
  Scale x;
  Scale y;
  std::vector<Polyline> firstLines;   // broken where a value is not finite
  std::vector<Polyline> secondLines;
  std::optional<Range> overlap;  // its pixels along x, when in view
  int overlapRings = 0;
};
OverlayPlot overlayPlot(const PairWindowModel& model, const Rect& plot);

}  // namespace veska::window
