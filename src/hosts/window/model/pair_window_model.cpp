#include "hosts/window/model/pair_window_model.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numeric>

#include "match/match_report.h"
#include "match/placements.h"
#include "records/numeric_output.h"
#include "records/text.h"

namespace veska::window {
namespace {

constexpr double kMargin = 14;
constexpr double kLeftAxis = 58;
constexpr double kBottomAxis = 38;
constexpr double kHeaderHeight = 74;
constexpr double kCheckHeight = 34;
constexpr double kTitleRow = 18;
// A press that moves less than this is a click, not a drag.
constexpr double kDragStart = 3;
constexpr double kZoomPerNotch = 1.25;

std::string trimmedUtf8(const std::u32string& id) {
  std::string text = records::toUtf8(id);
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

std::string chanceText(double p) {
  if (p == 0) return "0";
  char text[32];
  std::snprintf(text, sizeof text, p < 0.001 ? "%.1e" : "%.3f", p);
  return text;
}

std::string marginText(std::optional<float> margin) {
  if (!margin) return "none";
  const std::string text = records::formatFixed(*margin, 8, 1);
  return text.substr(text.find_first_not_of(' '));
}

PairLayout layoutPair(Rect area) {
  PairLayout l;
  l.header = {area.left + kMargin, area.top + kMargin, area.width - 2 * kMargin, kHeaderHeight};
  l.check = {l.header.left, l.header.bottom() + 4, l.header.width, kCheckHeight};
  const double plotsTop = l.check.bottom() + 6;
  const double plotsHeight = area.bottom() - kMargin - plotsTop;
  const double curveHeight = std::max(40.0, plotsHeight * 0.36 - kBottomAxis);
  const double left = area.left + kMargin + kLeftAxis;
  const double width = std::max(40.0, area.right() - kMargin - left);
  l.curve = {left, plotsTop + kTitleRow, width, curveHeight - kTitleRow};
  // Below the curve's axis: the overlay's title, then its legend.
  const double overlayTop = l.curve.bottom() + kBottomAxis + 8 + 2 * kTitleRow;
  const double overlayHeight = std::max(40.0, plotsHeight * 0.36 - kBottomAxis - 2 * kTitleRow);
  l.overlay = {left, overlayTop, width, overlayHeight};
  // Below the overlay's axis: the agreement's title and legend, as above.
  const double agreementTop = l.overlay.bottom() + kBottomAxis + 8 + 2 * kTitleRow;
  l.agreement = {left, agreementTop, width, std::max(30.0, area.bottom() - kMargin - kBottomAxis - agreementTop)};
  return l;
}

PairWindowModel::PairWindowModel(match::RunSeries first, match::RunSeries second, bool firstDated)
    : first_(std::move(first)),
      second_(std::move(second)),
      evidence_(match::PairEvidence::compute(first_, second_)),
      check_(match::checkPair(first_, second_, evidence_.best())),
      firstDated_(firstDated),
      firstId_(trimmedUtf8(first_.id)),
      secondId_(trimmedUtf8(second_.id)) {
  const auto& rows = placements();
  alongAxis_.resize(rows.size());
  std::iota(alongAxis_.begin(), alongAxis_.end(), 0);
  std::stable_sort(alongAxis_.begin(), alongAxis_.end(), [&](int a, int b) {
    return rows[static_cast<std::size_t>(a)].secondEndsAt < rows[static_cast<std::size_t>(b)].secondEndsAt;
  });
  rankOnAxis_.resize(rows.size());
  for (std::size_t i = 0; i < alongAxis_.size(); ++i)
    rankOnAxis_[static_cast<std::size_t>(alongAxis_[i])] = static_cast<int>(i);
  selected_ = marked(0);
}

std::optional<int> PairWindowModel::marked(int slot) const {
  return evidence_.marked().at(static_cast<std::size_t>(slot));
}

std::optional<int> PairWindowModel::slotOf(int placement) const {
  for (int j = 0; j < 3; ++j)
    if (marked(j) == placement) return j;
  return std::nullopt;
}

void PairWindowModel::select(int placement) {
  if (placement < 0 || placement >= static_cast<int>(placements().size())) return;
  selected_ = placement;
  const double x = static_cast<double>(placements()[static_cast<std::size_t>(placement)].secondEndsAt);
  const Range in = curveView();
  if (curveZoom_ && !in.contains(x)) setView(PairPlot::Curve, {x - in.span() / 2, x + in.span() / 2});
}

void PairWindowModel::step(int direction) {
  if (!selected_) return;
  const int last = static_cast<int>(alongAxis_.size()) - 1;
  const int at = std::clamp(rankOnAxis_[static_cast<std::size_t>(*selected_)] + direction, 0, last);
  select(alongAxis_[static_cast<std::size_t>(at)]);
}

void PairWindowModel::home() {
  selected_ = marked(0);
  curveZoom_.reset();
  overlayZoom_.reset();
}

void PairWindowModel::resize(double width, double height) { layout_ = layoutPair({0, 0, width, height}); }

std::optional<PairPlot> PairWindowModel::plotAt(Point at) const {
  // A little room around the curve, so that a mark on its edge is hit.
  if (layout_.curve.grown(4).contains(at)) return PairPlot::Curve;
  if (layout_.overlay.contains(at)) return PairPlot::Overlay;
  return std::nullopt;
}

void PairWindowModel::wheel(Point at, double notches) {
  const auto plot = plotAt(at);
  if (!plot) return;
  const Rect& rect = plotRect(*plot);
  const Range now = view(*plot);
  const Range all = *plot == PairPlot::Curve ? curveExtent() : overlayExtent();
  const double narrowest = std::min(kNarrowestView, all.span());
  const double span = std::clamp(now.span() / std::pow(kZoomPerNotch, notches), narrowest, all.span());
  if (span >= all.span()) return setView(*plot, all);
  // The value under the pointer stays under it.
  const double anchor = Scale{now, rect.left, rect.right()}.value(std::clamp(at.x, rect.left, rect.right()));
  const double lo = anchor - (anchor - now.lo) * span / now.span();
  setView(*plot, {lo, lo + span});
}

void PairWindowModel::press(Point at) {
  gesture_.reset();
  if (const auto plot = plotAt(at)) gesture_ = Gesture{*plot, at, view(*plot)};
}

void PairWindowModel::drag(Point at) {
  if (!gesture_) return;
  const double dx = at.x - gesture_->start.x;
  if (!gesture_->dragging && std::abs(dx) < kDragStart && std::abs(at.y - gesture_->start.y) < kDragStart) return;
  gesture_->dragging = true;
  const double perPixel = gesture_->view.span() / plotRect(gesture_->plot).width;
  setView(gesture_->plot, {gesture_->view.lo - dx * perPixel, gesture_->view.hi - dx * perPixel});
}

void PairWindowModel::release(Point) {
  // A click means where it was pressed.
  if (gesture_ && !gesture_->dragging && gesture_->plot == PairPlot::Curve)
    if (const auto k = placementAt(gesture_->start)) select(*k);
  gesture_.reset();
}

std::optional<int> PairWindowModel::placementAt(Point at) const {
  if (alongAxis_.empty() || plotAt(at) != PairPlot::Curve) return std::nullopt;
  const double x = Scale{curveView(), layout_.curve.left, layout_.curve.right()}.value(at.x);
  const auto distance = [&](int k) {
    return std::abs(static_cast<double>(placements()[static_cast<std::size_t>(k)].secondEndsAt) - x);
  };
  return *std::min_element(alongAxis_.begin(), alongAxis_.end(),
                           [&](int a, int b) { return distance(a) < distance(b); });
}

void PairWindowModel::setView(PairPlot plot, Range range) {
  if (plot == PairPlot::Overlay) {
    overlayZoom_ = clampedInto(range, overlayExtent());
    return;
  }
  const Range all = curveExtent();
  curveZoom_ = clampedInto(range, all);
  if (curveZoom_->span() >= all.span()) curveZoom_.reset();
}

Range PairWindowModel::curveExtent() const {
  if (alongAxis_.empty()) return {};
  const auto end = [&](int k) { return static_cast<double>(placements()[static_cast<std::size_t>(k)].secondEndsAt); };
  return {end(alongAxis_.front()) - 1, end(alongAxis_.back()) + 1};
}

Range PairWindowModel::curveView() const {
  return curveZoom_ ? clampedInto(*curveZoom_, curveExtent()) : curveExtent();
}

double PairWindowModel::secondShift() const {
  const match::PlacementRow& row = placements()[static_cast<std::size_t>(*selected_)];
  return first_.firstYear + row.startFirst - row.startSecond;
}

Range PairWindowModel::overlapYears() const {
  const match::PlacementRow& row = placements()[static_cast<std::size_t>(*selected_)];
  const double from = first_.firstYear + row.startFirst;
  return {from, from + row.overlap - 1};
}

Range PairWindowModel::overlayExtent() const {
  if (!selected_) return {};
  const auto length = [&](const match::RunSeries& s) {
    return static_cast<double>(asRead_ ? s.asRead.size() : s.compared.size());
  };
  const double shift = secondShift();
  return {std::min<double>(first_.firstYear, shift) - 0.5,
          std::max(first_.firstYear + length(first_) - 1, shift + length(second_) - 1) + 0.5};
}

Range PairWindowModel::overlayView() const {
  const Range all = overlayExtent();
  if (!selected_) return all;
  if (overlayZoom_) return clampedInto(*overlayZoom_, all);
  // Around the overlap, with a little of what lies beyond it.
  const Range overlap = overlapYears();
  const double margin = std::max(10.0, overlap.span() * 0.2);
  return {std::max(all.lo, overlap.lo - margin - 0.5), std::min(all.hi, overlap.hi + margin + 0.5)};
}

Range PairWindowModel::tRange() const {
  double lo = -2, hi = match::kStarThreshold + 1;
  for (const match::PlacementRow& row : placements())
    if (std::isfinite(row.tStatistic)) {
      lo = std::min(lo, static_cast<double>(row.tStatistic));
      hi = std::max(hi, static_cast<double>(row.tStatistic));
    }
  const double pad = (hi - lo) * 0.08;
  return {lo - pad, hi + pad * 2.5};
}

std::string PairWindowModel::curveAxisText() const {
  return (firstDated_ ? "year of " : "ring of ") + firstId_ + " on which the last ring of " + secondId_ + " lies";
}

std::string PairWindowModel::overlayAxisText() const { return (firstDated_ ? "years of " : "rings of ") + firstId_; }

std::string PairWindowModel::countText() const {
  const std::size_t n = placements().size();
  return std::to_string(n) + (n == 1 ? " placement" : " placements") + " with at least " +
         std::to_string(match::kMinOverlap) + " rings of overlap";
}

std::string PairWindowModel::selectionText() const {
  if (!selected_) return {};
  std::string text = "placement " + std::to_string(*selected_ + 1) + " of " + std::to_string(placements().size());
  if (const auto slot = slotOf(*selected_)) {
    text += ", best " + std::to_string(*slot + 1);
    text += ", p_chance " + chanceText(evidence_.best().trust.pChance[static_cast<std::size_t>(*slot)]);
  }
  return text;
}

std::string PairWindowModel::slotHeading(int line) const {
  // The report's own heading over its first slot.
  return match::columnHeader().at(static_cast<std::size_t>(line)).str().substr(20, 23);
}

std::string PairWindowModel::slotText() const { return selected_ ? evidence_.slotText(*selected_) : std::string(); }

std::string PairWindowModel::trustHeading() const { return "PLACEMENTS  P_CHANCE  MARGIN  VERDICT"; }

std::string PairWindowModel::trustText() const {
  const match::PairTrust& trust = evidence_.best().trust;
  char text[96];
  std::snprintf(text, sizeof text, "%10d  %8s  %6s  %s", trust.placements, chanceText(trust.pChance[0]).c_str(),
                marginText(trust.margin).c_str(), std::string(match::verdictWord(trust.verdict)).c_str());
  return text;
}

std::string PairWindowModel::copyText() const { return evidence_.placementTable(firstId_, secondId_); }

}  // namespace veska::window
