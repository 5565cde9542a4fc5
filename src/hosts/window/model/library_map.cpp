#include "hosts/window/model/library_map.h"

#include <algorithm>
#include <cmath>

#include "match/pair_match.h"

namespace veska::window {
namespace {

constexpr double kMinWidth = 20.0;
constexpr double kMinHeight = 10.0;
constexpr double kMargin = 0.15;  // of the marks' extent, on every side

MapBox boxAround(const std::vector<MapMark>& marks) {
  MapBox box;
  if (marks.empty()) return box;
  box.west = box.east = marks.front().at.longitude;
  box.south = box.north = marks.front().at.latitude;
  for (const MapMark& m : marks) {
    box.west = std::min(box.west, m.at.longitude);
    box.east = std::max(box.east, m.at.longitude);
    box.south = std::min(box.south, m.at.latitude);
    box.north = std::max(box.north, m.at.latitude);
  }
  const auto widen = [](double& low, double& high, double least, double lowest, double highest) {
    const double margin = (high - low) * kMargin;
    low -= margin;
    high += margin;
    if (high - low < least) {
      const double middle = (low + high) / 2;
      low = middle - least / 2;
      high = middle + least / 2;
    }
    if (low < lowest) high = std::min(highest, high + (lowest - low)), low = lowest;
    if (high > highest) low = std::max(lowest, low - (high - highest)), high = highest;
  };
  widen(box.west, box.east, kMinWidth, -180, 180);
  widen(box.south, box.north, kMinHeight, -90, 90);
  return box;
}

}  // namespace

const char* evidenceLabel(Evidence e) {
  switch (e) {
    case Evidence::Strong: return "t 5 or more";
    case Evidence::Starred: return "t 3.5 to 5";
    case Evidence::Weak: return "t 2 to 3.5";
    case Evidence::None: return "t below 2";
    case Evidence::NoOverlap: return "no overlap of 50 rings";
  }
  return "";
}

Evidence evidenceOf(float t) {
  if (std::isnan(t)) return Evidence::NoOverlap;
  if (t >= 5.0f) return Evidence::Strong;
  if (t >= match::kStarThreshold) return Evidence::Starred;
  if (t >= 2.0f) return Evidence::Weak;
  return Evidence::None;
}

LibraryMap buildLibraryMap(const library::Library& library, const library::UndatedSeries& series,
                           const library::SeriesJudgement& judgement) {
  LibraryMap map;
  const library::RankedRow* best = judgement.best();
  map.hasWinningYear = best != nullptr;
  if (best) map.winningYear = best->outcome.endYear;
  std::vector<MapMark> marks;
  for (std::size_t i = 0; i < library.references.size(); ++i) {
    const library::Reference& ref = library.references[i];
    if (!ref.where) {
      ++map.unknownPlace;
      continue;
    }
    if (!ref.mapped()) {
      ++map.offTheGlobe;
      continue;
    }
    MapMark mark;
    mark.at = *ref.where;
    mark.name = ref.name;
    mark.t = best ? library::tAtEndYear(series, ref, best->outcome.endYear) : NAN;
    mark.evidence = evidenceOf(mark.t);
    mark.best = best && best->outcome.reference == i;
    marks.push_back(std::move(mark));
  }
  std::stable_partition(marks.begin(), marks.end(), [](const MapMark& m) { return !m.best; });
  map.box = boxAround(marks);
  map.marks = std::move(marks);
  return map;
}

}  // namespace veska::window
