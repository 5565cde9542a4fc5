// Plain geometry for the pair window's charts: points and rectangles in the
// picture's logical pixels, spans of data, the linear map between the two,
// and the ticks along an axis. No drawing here.
#pragma once

#include <vector>

namespace veska::window {

struct Point {
  double x = 0;
  double y = 0;
};

// Points joined by straight lines, from left to right.
using Polyline = std::vector<Point>;

struct Rect {
  double left = 0;
  double top = 0;
  double width = 0;
  double height = 0;

  double right() const { return left + width; }
  double bottom() const { return top + height; }
  bool contains(Point p) const { return p.x >= left && p.x <= right() && p.y >= top && p.y <= bottom(); }
  // Whether the two share some area (touching edges share none).
  bool overlaps(const Rect& r) const {
    return left < r.right() && r.left < right() && top < r.bottom() && r.top < bottom();
  }
  Rect grown(double by) const { return {left - by, top - by, width + 2 * by, height + 2 * by}; }
};

// Whether any of the line's segments passes through `box`.
bool crosses(const Polyline& line, const Rect& box);

// A span of data values along one axis, lo < hi.
struct Range {
  double lo = 0;
  double hi = 1;

  double span() const { return hi - lo; }
  bool contains(double v) const { return v >= lo && v <= hi; }
};

// `within` moved (not resized) so that it lies inside `bounds`; a span
// wider than `bounds` becomes `bounds`.
Range clampedInto(Range within, Range bounds);

// Data to pixels along one axis: data.lo lies at pixel `from`, data.hi at
// `to` (to < from for an axis that runs upwards).
struct Scale {
  Range data;
  double from = 0;
  double to = 1;

  double at(double v) const { return from + (v - data.lo) / data.span() * (to - from); }
  double value(double pixel) const { return data.lo + (pixel - from) / (to - from) * data.span(); }
};

struct Ticks {
  std::vector<double> values;
  int decimals = 0;  // enough to tell neighbouring ticks apart
};

// About `count` ticks inside `range`, 1, 2 or 5 times a power of ten apart,
// never closer than `minStep` (whole years need no ticks between them).
Ticks ticksOver(Range range, int count, double minStep = 0);

}  // namespace veska::window
