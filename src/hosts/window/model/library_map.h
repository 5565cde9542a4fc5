// The library window's map as numbers: each reference with coordinates on
// the globe, coloured by the evidence for the winning year (the best
// reference's end year for the series), the best one marked, and the part
// of the globe to show. The window paints it; nothing here knows Qt.
#pragma once

#include <string>
#include <vector>

#include "library/library.h"

namespace veska::window {

// The t-statistic at the placement that puts the series' last ring on the
// winning year, in classes a reader tells apart at a glance.
enum class Evidence {
  Strong,      // t of 5 or more
  Starred,     // 3.5 to 5
  Weak,        // 2 to 3.5
  None,        // below 2
  NoOverlap,   // under 50 rings of overlap at that year, or no winning year
};

const char* evidenceLabel(Evidence e);

struct MapMark {
  library::GeoPoint at;
  std::string name;
  Evidence evidence = Evidence::NoOverlap;
  float t = 0.0f;  // NaN without overlap
  bool best = false;
};

struct MapBox {
  double west = -180, east = 180, south = -90, north = 90;
};

struct LibraryMap {
  std::vector<MapMark> marks;  // the best one last, so that it is drawn on top
  MapBox box;                  // every mark with a margin, at least 20 degrees wide and 10 high
  bool hasWinningYear = false;
  long long winningYear = 0;
  int offTheGlobe = 0;   // references whose coordinates were left off
  int unknownPlace = 0;  // references without coordinates
};

Evidence evidenceOf(float t);

LibraryMap buildLibraryMap(const library::Library& library, const library::UndatedSeries& series,
                           const library::SeriesJudgement& judgement);

}  // namespace veska::window
