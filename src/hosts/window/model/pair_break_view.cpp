#include "hosts/window/model/pair_break_view.h"

#include <algorithm>
#include <cmath>

#include "match/pair_break.h"
#include "records/numeric_output.h"

namespace veska::window {
namespace {

constexpr Range kAgreementRange{-0.6, 1.0};

std::string tText(float t) {
  if (std::isnan(t)) return "-";
  const std::string text = records::formatFixed(t, 6, 1);
  return text.substr(text.find_first_not_of(' '));
}

// Where ring j (from 0) of the second series lies on the first's axis at
// `offset`.
std::int64_t placeOf(const PairWindowModel& m, int j, int offset) {
  return static_cast<std::int64_t>(m.first().firstYear) + j + offset;
}

std::string whereText(const PairWindowModel& m, std::int64_t at) {
  return m.firstDated() ? "year " + std::to_string(at) : "ring " + std::to_string(at) + " of " + m.firstId();
}

std::string breakHeadline(const PairWindowModel& m, const match::BreakCheck& c) {
  const bool missing = c.shift > 0;
  const int count = std::abs(c.shift);
  std::string what = missing ? (count == 1 ? "possible missing ring" : "possible 2 missing rings")
                             : (count == 1 ? "possible false ring" : "possible 2 false rings");
  // A missing ring lies between the ring before the break and the break's
  // ring; a false ring is the break's ring itself.
  const int k = c.breakRing - 1;
  const std::int64_t year = placeOf(m, missing ? k : k - 1, c.earlyOffset);
  const int from = missing ? c.likelyFirst - 1 : c.likelyFirst;
  const int to = c.likelyLast;
  std::string text = "Break check: " + what + " in " + m.secondId() + " near " + whereText(m, year) +
                     " (most likely between rings " + std::to_string(from) + " and " + std::to_string(to) + ")";
  if (!m.firstDated()) text += "; neither series is dated, so the error may be in " + m.firstId() + " instead";
  return text;
}

std::string breakDetail(const PairWindowModel& m, const match::PairCheck& pc) {
  const match::BreakCheck& c = pc.check;
  const int n = static_cast<int>(m.second().compared.size());
  const int k = c.breakRing - 1;
  return "rings 1-" + std::to_string(k) + " end on " + whereText(m, placeOf(m, k - 1, c.earlyOffset)) + " (t " +
         tText(c.earlyT) + "), rings " + std::to_string(k + 1) + "-" + std::to_string(n) + " on " +
         whereText(m, placeOf(m, n - 1, c.lateOffset)) + " (t " + tText(c.lateT) + "); corrected series t " +
         tText(pc.correctedT) + " (whole series t " + tText(m.evidence().bestSlot(0).tStatistic) + "), break_p " + chanceText(c.breakP);
}

std::vector<Polyline> agreementLines(const std::vector<float>& r, int drawOffset, const PairWindowModel& m,
                                     const Scale& x, const Scale& y) {
  std::vector<Polyline> lines(1);
  for (std::size_t j = 0; j < r.size(); ++j) {
    const double at = static_cast<double>(placeOf(m, static_cast<int>(j), drawOffset));
    if (!std::isfinite(r[j]) || at < x.data.lo || at > x.data.hi) {
      if (!lines.back().empty()) lines.emplace_back();
      continue;
    }
    lines.back().push_back({x.at(at), y.at(std::clamp<double>(r[j], kAgreementRange.lo, kAgreementRange.hi))});
  }
  if (lines.back().empty()) lines.pop_back();
  return lines;
}

std::span<const float> valuesOf(const match::RunSeries& s) {
  return {s.compared.data(), std::min(s.compared.size(), static_cast<std::size_t>(input::kMaxLength))};
}

}  // namespace

CheckLines checkLines(const PairWindowModel& m) {
  const match::PairCheck& pc = m.check();
  switch (pc.check.answer) {
    case match::CheckAnswer::Break: return {breakHeadline(m, pc.check), breakDetail(m, pc)};
    case match::CheckAnswer::None:
      return {"Break check: none; no part of " + m.secondId() + " fits better a year or two off (break_p " +
                  chanceText(pc.check.breakP) + ")",
              {}};
    case match::CheckAnswer::CannotCheck:
      if (!(m.evidence().best().trust.pChance[0] < match::kCheckedBelowChance))
        return {"Break check: cannot check; the best placement's p_chance is 0.05 or more", {}};
      return {"Break check: cannot check; the pair is too weak to tell a misdated part from chance", {}};
    case match::CheckAnswer::NotChecked: break;
  }
  return {"Break check: no placement to check", {}};
}

std::string agreementAxisText(const PairWindowModel& m) {
  const bool found = m.check().check.answer == match::CheckAnswer::Break;
  return (m.firstDated() ? "years of " : "rings of ") + m.firstId() + " (" + m.secondId() + "'s rings " +
         (found ? "where the part before the break places them)" : "at the best placement)");
}

AgreementPlot agreementPlot(const PairWindowModel& m, const Rect& plot) {
  AgreementPlot a;
  a.y = {kAgreementRange, plot.bottom(), plot.top};
  const auto best = m.evidence().bestPlacement();
  if (!best) {
    a.x = {{0, 1}, plot.left, plot.right()};
    return a;
  }
  const match::PairCheck& pc = m.check();
  const bool found = pc.check.answer == match::CheckAnswer::Break;
  const int slotOffset = match::slotOffset(m.evidence().bestSlot(0), m.first().firstYear, m.second().firstYear);
  const int drawOffset = found ? pc.check.earlyOffset : slotOffset;
  const int n = static_cast<int>(m.second().compared.size());
  const Range extent{static_cast<double>(std::max<std::int64_t>(placeOf(m, 0, drawOffset), m.first().firstYear)) - 0.5,
                     static_cast<double>(std::min<std::int64_t>(
                         placeOf(m, n - 1, drawOffset),
                         m.first().firstYear + static_cast<std::int64_t>(m.first().compared.size()) - 1)) + 0.5};
  a.x = {extent.lo < extent.hi ? extent : Range{extent.lo, extent.lo + 1}, plot.left, plot.right()};
  const std::span<const float> first = valuesOf(m.first());
  const std::span<const float> second = valuesOf(m.second());
  a.before = agreementLines(match::runningAgreement(first, second, drawOffset), drawOffset, m, a.x, a.y);
  if (!found) {
    a.beforeLabel = "at the best placement";
    return a;
  }
  const match::BreakCheck& c = pc.check;
  a.after = agreementLines(match::runningAgreement(first, second, c.lateOffset), drawOffset, m, a.x, a.y);
  a.beforeLabel = "at the placement of rings 1-" + std::to_string(c.breakRing - 1);
  a.afterLabel = "at the placement of rings " + std::to_string(c.breakRing) + "-" + std::to_string(n);
  a.breakAt = a.x.at(static_cast<double>(placeOf(m, c.breakRing - 1, drawOffset)) - 0.5);
  a.likely = Range{a.x.at(static_cast<double>(placeOf(m, c.likelyFirst - 1, drawOffset)) - 0.5),
                   a.x.at(static_cast<double>(placeOf(m, c.likelyLast - 1, drawOffset)) + 0.5)};
  return a;
}

}  // namespace veska::window
