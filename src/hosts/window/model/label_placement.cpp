#include "hosts/window/model/label_placement.h"

#include <algorithm>
#include <limits>

namespace veska::window {
namespace {

constexpr double kGap = 3;
// A place beside its mark is better than every place further off, even one
// that covers a line (labels have a ground of their own); of two places
// beside it, the one clear of the lines is better.
constexpr double kOnALine = 20;
constexpr double kFurtherOff = 40;

struct Place {
  Rect box;
  double cost;  // lower is better
  bool beside;
};

// Beside a mark, best first: level with it to the right, then to the left,
// then above and below it, then at its corners; then further off, level
// with its sides, nearest first.
std::vector<Place> placesFor(const LabelRequest& l, double radius, const Rect& plot,
                             const std::vector<Polyline>& lines) {
  const double w = l.width, h = l.height, x = l.mark.x, y = l.mark.y, off = radius + kGap;
  const Rect sides[] = {{x + off, y - h / 2, w, h},   {x - off - w, y - h / 2, w, h}, {x - w / 2, y - off - h, w, h},
                        {x - w / 2, y + off, w, h},   {x + off, y - off - h, w, h},   {x - off - w, y - off - h, w, h},
                        {x + off, y + off, w, h},     {x - off - w, y + off, w, h}};
  std::vector<Place> places;
  for (const Rect& side : sides) places.push_back({side, static_cast<double>(places.size()), true});
  const double step = h + 2;
  for (int k = 1; k * step < plot.height; ++k)
    for (const int sign : {-1, 1})
      for (const Rect& side : {sides[0], sides[1]})
        places.push_back({{side.left, side.top + sign * k * step, w, h}, kFurtherOff + k, false});
  for (Place& place : places)
    if (std::any_of(lines.begin(), lines.end(), [&](const Polyline& line) { return crosses(line, place.box); }))
      place.cost += kOnALine;
  std::stable_sort(places.begin(), places.end(), [](const Place& a, const Place& b) { return a.cost < b.cost; });
  return places;
}

// Tries every combination of places, cheapest first, and keeps the
// cheapest in which no label covers another, a mark or a taken area. Three
// labels of a few dozen places each: a search of at most some ten thousand steps.
class Search {
 public:
  Search(std::vector<std::vector<Place>> places, std::vector<Rect> blocked, const Rect& plot)
      : places_(std::move(places)), blocked_(std::move(blocked)), plot_(plot), choice_(places_.size()) {}

  std::vector<int> run() {
    step(0, 0);
    return best_;
  }

 private:
  bool free(const Rect& box) const {
    const bool inside = box.left >= plot_.left && box.right() <= plot_.right() && box.top >= plot_.top &&
                        box.bottom() <= plot_.bottom();
    return inside && std::none_of(blocked_.begin(), blocked_.end(), [&](const Rect& b) { return b.overlaps(box); });
  }

  void step(std::size_t label, double cost) {
    if (label == places_.size()) {
      bestCost_ = cost;
      best_ = choice_;
      return;
    }
    for (std::size_t c = 0; c < places_[label].size(); ++c) {
      const Place& place = places_[label][c];
      if (cost + place.cost >= bestCost_) return;  // places come cheapest first
      if (!free(place.box)) continue;
      blocked_.push_back(place.box);
      choice_[label] = static_cast<int>(c);
      step(label + 1, cost + place.cost);
      blocked_.pop_back();
    }
  }

  std::vector<std::vector<Place>> places_;
  std::vector<Rect> blocked_;
  Rect plot_;
  std::vector<int> choice_;
  std::vector<int> best_;
  double bestCost_ = std::numeric_limits<double>::infinity();
};

}  // namespace

std::vector<PlacedLabel> placeLabels(const std::vector<LabelRequest>& labels, double radius, const Rect& plot,
                                     const std::vector<Rect>& taken, const std::vector<Polyline>& lines) {
  std::vector<Rect> blocked = taken;
  std::vector<std::vector<Place>> places;
  for (const LabelRequest& l : labels) {
    blocked.push_back({l.mark.x - radius, l.mark.y - radius, 2 * radius, 2 * radius});
    places.push_back(placesFor(l, radius, plot, lines));
  }
  const std::vector<int> best = Search(places, blocked, plot).run();
  std::vector<PlacedLabel> placed;
  for (std::size_t i = 0; i < labels.size(); ++i) {
    if (!best.empty()) {
      const Place& place = places[i][static_cast<std::size_t>(best[i])];
      placed.push_back({place.box, place.beside});
      continue;
    }
    // No room anywhere: its best place, kept inside the plot.
    Rect box = places[i][0].box;
    box.left = std::clamp(box.left, plot.left, std::max(plot.left, plot.right() - box.width));
    box.top = std::clamp(box.top, plot.top, std::max(plot.top, plot.bottom() - box.height));
    placed.push_back({box, true});
  }
  return placed;
}

}  // namespace veska::window
