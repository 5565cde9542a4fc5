#include "hosts/window/model/chart_geometry.h"

#include <algorithm>
#include <cmath>

namespace veska::window {

Range clampedInto(Range within, Range bounds) {
  if (within.span() >= bounds.span()) return bounds;
  if (within.lo < bounds.lo) return {bounds.lo, bounds.lo + within.span()};
  if (within.hi > bounds.hi) return {bounds.hi - within.span(), bounds.hi};
  return within;
}

bool crosses(const Polyline& line, const Rect& box) {
  // The points run from left to right: only the segments from the last
  // point left of the box to the first point right of it can cross it.
  const auto leftOf = [](const Point& p, double x) { return p.x < x; };
  auto from = std::lower_bound(line.begin(), line.end(), box.left, leftOf);
  if (from != line.begin()) --from;
  const auto to = std::lower_bound(from, line.end(), box.right(), leftOf);
  for (auto a = from; a != line.end() && a <= to; ++a) {
    const auto b = a + 1 == line.end() ? a : a + 1;
    const double x0 = std::max(std::min(a->x, b->x), box.left), x1 = std::min(std::max(a->x, b->x), box.right());
    if (x0 > x1) continue;
    const auto yAt = [&](double x) { return b->x == a->x ? a->y : a->y + (x - a->x) / (b->x - a->x) * (b->y - a->y); };
    const double y0 = b->x == a->x ? std::min(a->y, b->y) : std::min(yAt(x0), yAt(x1));
    const double y1 = b->x == a->x ? std::max(a->y, b->y) : std::max(yAt(x0), yAt(x1));
    if (y1 >= box.top && y0 <= box.bottom()) return true;
  }
  return false;
}

Ticks ticksOver(Range range, int count, double minStep) {
  Ticks ticks;
  if (!(range.span() > 0) || !std::isfinite(range.span()) || count < 1) return ticks;
  const double raw = range.span() / count;
  const double power = std::pow(10.0, std::floor(std::log10(raw)));
  double step = 10 * power;
  for (const double m : {1.0, 2.0, 5.0})
    if (raw <= m * power) {
      step = m * power;
      break;
    }
  step = std::max(step, minStep);
  ticks.decimals = step >= 1 ? 0 : static_cast<int>(std::ceil(-std::log10(step) - 1e-9));
  // Counted from the first tick, so that rounding never adds or drops one.
  const double first = std::ceil(range.lo / step - 1e-9);
  for (double i = first; i * step <= range.hi + step * 1e-9; ++i) {
    const double v = i * step;
    ticks.values.push_back(std::abs(v) < step * 1e-9 ? 0.0 : v);
  }
  return ticks;
}

}  // namespace veska::window
