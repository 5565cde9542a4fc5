#include "library/library_result.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace veska::library {
namespace {

bool ranksBefore(const PairOutcome& a, const PairOutcome& b) {
  if (a.placed != b.placed) return a.placed;
  if (!a.placed) return a.reference < b.reference;
  if (a.pChance != b.pChance) return a.pChance < b.pChance;
  if (a.t != b.t) return a.t > b.t;
  return a.reference < b.reference;
}

std::string verdictOf(const RankedRow& row) {
  if (!row.outcome.placed) return {};
  // The library p alone decides, so that the table and the summary never
  // disagree: over hundreds of references most series reach a p_chance
  // below 0.05 somewhere by chance.
  if (row.libraryP < kDatedLevel) return "dated";
  if (row.libraryP < kCandidateLevel) return "candidate";
  return "chance";
}

std::optional<double> median(std::vector<double> values) {
  if (values.empty()) return std::nullopt;
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

std::vector<ProposedYear> proposals(const std::vector<RankedRow>& rows) {
  std::map<std::int64_t, std::vector<const RankedRow*>> byYear;
  for (const RankedRow& row : rows)
    if (row.outcome.placed && row.outcome.pChance < kProposingLevel) byYear[row.outcome.endYear].push_back(&row);
  std::vector<ProposedYear> years;
  for (const auto& [year, proposing] : byYear) {
    std::vector<double> distances;
    for (const RankedRow* row : proposing)
      if (row->distanceKm) distances.push_back(*row->distanceKm);
    years.push_back({year, static_cast<int>(proposing.size()), median(std::move(distances))});
  }
  // Most references first; among equal counts, the year of the better-ranked
  // reference (rows are in rank order, so its first proposer comes first).
  const auto firstRank = [&](std::int64_t year) { return byYear.at(year).front()->rank; };
  std::stable_sort(years.begin(), years.end(), [&](const ProposedYear& a, const ProposedYear& b) {
    if (a.references != b.references) return a.references > b.references;
    return firstRank(a.endYear) < firstRank(b.endYear);
  });
  return years;
}

}  // namespace

double libraryP(double pChance, int searched) {
  if (searched < 1 || std::isnan(pChance)) return 1.0;
  const double p = std::clamp(pChance, 0.0, 1.0);
  return std::clamp(-std::expm1(searched * std::log1p(-p)), 0.0, 1.0);
}

SeriesJudgement judgeSeries(const std::vector<PairOutcome>& outcomes, const std::vector<Reference>& references) {
  SeriesJudgement judgement;
  for (const PairOutcome& o : outcomes) {
    if (o.placed) ++judgement.searched;
    judgement.laterLeftOut += o.laterLeftOut;
    if (o.holdsTheSeries) judgement.holdingIt.push_back(o.reference);
  }

  std::vector<PairOutcome> sorted = outcomes;
  std::stable_sort(sorted.begin(), sorted.end(), ranksBefore);
  std::optional<GeoPoint> bestAt;
  if (!sorted.empty() && sorted.front().placed) bestAt = references.at(sorted.front().reference).mapped();
  for (std::size_t k = 0; k < sorted.size(); ++k) {
    RankedRow row;
    row.outcome = sorted[k];
    row.rank = static_cast<int>(k) + 1;
    if (row.outcome.placed) row.libraryP = libraryP(row.outcome.pChance, judgement.searched);
    const auto at = references.at(row.outcome.reference).mapped();
    if (bestAt && at) row.distanceKm = greatCircleKm(*bestAt, *at);
    row.verdict = verdictOf(row);
    judgement.rows.push_back(std::move(row));
  }

  judgement.consensus = proposals(judgement.rows);
  if (const RankedRow* best = judgement.best()) {
    judgement.dated = best->libraryP < kDatedLevel;
    for (const ProposedYear& year : judgement.consensus)
      if (year.endYear != best->outcome.endYear && year.references >= 2) judgement.rivals.push_back(year);
  }
  return judgement;
}

}  // namespace veska::library
