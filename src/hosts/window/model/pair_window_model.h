// Everything a pair window knows, without any drawing: the pair's two series
// and its placements, the selected placement, which values are shown, the
// part of each plot in view (zoom and pan), the mouse gesture under way and
// the picture's layout. The widget turns its events into calls on this class
// and paints what it and pair_plots.h say; tests drive it directly.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "hosts/window/model/chart_geometry.h"
#include "match/pair_break.h"
#include "match/pair_evidence.h"

namespace veska::window {

// A chance probability in a few columns: three decimals, or two significant
// digits in scientific notation below 0.001 ("2.1e-29"); 0 as "0".
std::string chanceText(double p);
// The margin of slot 1 over slot 2 with one decimal, as the report gives t;
// "none" for a pair without slot 2.
std::string marginText(std::optional<float> margin);

// The parts of the picture, from its area alone.
struct PairLayout {
  Rect header;     // the pair, its count of placements, the selected slot
  Rect check;      // the break check's two lines
  Rect curve;      // the t-curve's plot
  Rect overlay;    // the two series' plot
  Rect agreement;  // the running agreement along the overlap
};
PairLayout layoutPair(Rect area);

enum class PairPlot { Curve, Overlay };

class PairWindowModel {
 public:
  // Zooming in goes no further than this many rings across a plot.
  static constexpr double kNarrowestView = 10;

  // Computes the pair's placements. `firstDated`: the first series has years
  // (dated series were matched); otherwise its rings are only numbered.
  PairWindowModel(match::RunSeries first, match::RunSeries second, bool firstDated);

  const match::RunSeries& first() const { return first_; }
  const match::RunSeries& second() const { return second_; }
  const match::PairEvidence& evidence() const { return evidence_; }
  // The break check of the second series at slot 1's placement, as the pair
  // table gives it.
  const match::PairCheck& check() const { return check_; }
  const std::vector<match::PlacementRow>& placements() const { return evidence_.placements(); }
  // The placements in the order of the curve's axis.
  const std::vector<int>& alongAxis() const { return alongAxis_; }
  bool firstDated() const { return firstDated_; }
  const std::string& firstId() const { return firstId_; }  // UTF-8, blanks trimmed
  const std::string& secondId() const { return secondId_; }

  // The placement in slot j (0, 1, 2) of the report line, when one fills it.
  std::optional<int> marked(int slot) const;
  // The slot whose placement is `placement`.
  std::optional<int> slotOf(int placement) const;

  std::optional<int> selected() const { return selected_; }
  // A placement out of range changes nothing. The curve's view follows a
  // selection that leaves it.
  void select(int placement);
  // The neighbour along the curve's axis, -1 to the left, +1 to the right.
  void step(int direction);
  // The best placement, both plots whole again.
  void home();
  bool showsAsRead() const { return asRead_; }
  void showAsRead(bool asRead) { asRead_ = asRead; }

  // The window's picture area, in logical pixels, where the mouse acts.
  void resize(double width, double height);
  const PairLayout& layout() const { return layout_; }
  // The wheel over a plot: each notch away from the user zooms in by a
  // quarter around the value under the pointer, each towards zooms out.
  void wheel(Point at, double notches);
  // A drag over a plot pans it; a click on the curve (pressed and released
  // without dragging) selects the placement nearest where it was pressed.
  void press(Point at);
  void drag(Point at);
  void release(Point at);
  // The placement nearest `at` along the curve's axis, when `at` is on the
  // curve's plot.
  std::optional<int> placementAt(Point at) const;

  // Along the horizontal axes: all there is, and what is in view.
  Range curveExtent() const;
  Range curveView() const;
  Range overlayExtent() const;
  Range overlayView() const;
  // The t-statistics' span, with room above for the labels.
  Range tRange() const;
  // At the selection, on the first series' axis: where the second series'
  // first value lies, and the rings the two share.
  double secondShift() const;
  Range overlapYears() const;

  // The texts of the picture.
  std::string curveAxisText() const;
  std::string overlayAxisText() const;
  std::string countText() const;
  std::string selectionText() const;
  std::string slotHeading(int line) const;  // line 0 or 1 of the report's column heading
  std::string slotText() const;             // the selected slot, in the report's columns
  // How far the pair's date can be trusted, beside the slot text: the
  // placements tried, slot 1's p_chance, the margin and the verdict, under
  // a heading of their own.
  std::string trustHeading() const;
  std::string trustText() const;
  // Edit > Copy: the placement table, its columns named after the pair.
  std::string copyText() const;

 private:
  struct Gesture {
    PairPlot plot;
    Point start;
    Range view;  // when it started
    bool dragging = false;
  };

  std::optional<PairPlot> plotAt(Point at) const;
  Range view(PairPlot plot) const { return plot == PairPlot::Curve ? curveView() : overlayView(); }
  void setView(PairPlot plot, Range range);
  const Rect& plotRect(PairPlot plot) const { return plot == PairPlot::Curve ? layout_.curve : layout_.overlay; }

  match::RunSeries first_;
  match::RunSeries second_;
  match::PairEvidence evidence_;
  match::PairCheck check_;
  bool firstDated_;
  std::string firstId_;
  std::string secondId_;
  std::vector<int> alongAxis_;
  std::vector<int> rankOnAxis_;  // each placement's place in alongAxis_
  std::optional<int> selected_;
  bool asRead_ = false;
  PairLayout layout_;
  std::optional<Range> curveZoom_;    // none: the whole curve
  std::optional<Range> overlayZoom_;  // none: around the overlap
  std::optional<Gesture> gesture_;
};

}  // namespace veska::window
