// Where the labels of a chart's marks go: each beside its own mark, inside
// the plot, covering no other label, no mark and nothing else already drawn
// there; of the ways to do that, the one that keeps the labels off the
// chart's lines where it can and puts each on its mark's most natural side
// (level with it, to the right). Only when a mark has no free side does its
// label move further off, and the chart then draws a line from the label to
// its mark.
#pragma once

#include <vector>

#include "hosts/window/model/chart_geometry.h"

namespace veska::window {

struct LabelRequest {
  Point mark;           // the mark's centre
  double width = 0;     // the label's size
  double height = 0;
};

struct PlacedLabel {
  Rect box;
  bool beside = true;  // touches its mark's side; otherwise a line joins them
};

// The labels' places, in the order asked; on a tie the first label asked
// gets its better side. Marks are circles of `radius`; `taken` are areas no
// label may cover; `lines` are best left uncovered.
std::vector<PlacedLabel> placeLabels(const std::vector<LabelRequest>& labels, double radius, const Rect& plot,
                                     const std::vector<Rect>& taken = {}, const std::vector<Polyline>& lines = {});

}  // namespace veska::window
