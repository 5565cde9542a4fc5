// The break check as the pair window shows it, without drawing: the lines
// that say what it found (where a ring is likely missing or false, the two
// parts' placements and t-statistics, the corrected series' t) and the plot
// of the running agreement along the overlap, drawn at the two parts'
// placements so that the place where the series breaks shows.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "hosts/window/model/chart_geometry.h"
#include "hosts/window/model/pair_window_model.h"

namespace veska::window {

// The headline and the line of detail under it (empty when there is none).
struct CheckLines {
  std::string headline;
  std::string detail;
};
CheckLines checkLines(const PairWindowModel& model);

// The running agreement plot: x in the first series' years (ring numbers
// when it floats), each ring of the second series where the part before the
// break (or the whole series, without a break) places it; y the running
// correlation.
struct AgreementPlot {
  Scale x;
  Scale y;
  std::vector<Polyline> before;  // at the placement of the part before the break (or slot 1's)
  std::vector<Polyline> after;   // at the placement of the part from the break on; none without a break
  std::optional<double> breakAt;        // the break's pixel along x
  std::optional<Range> likely;          // the likely range's pixels along x
  std::string beforeLabel;
  std::string afterLabel;
};
AgreementPlot agreementPlot(const PairWindowModel& model, const Rect& plot);

// The axis text under the agreement plot: where the second series's rings
// are drawn.
std::string agreementAxisText(const PairWindowModel& model);

}  // namespace veska::window
