// What the library search says about one undated series: the references
// ranked by the chance probability of their best placement, the library p
// that corrects it for the number of references searched, the end years the
// references propose, and the verdict.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "library/library_search.h"
#include "library/reference.h"

namespace veska::library {

// A library p below this dates the series: over hundreds of references the
// per-pair chance is beaten somewhere, so only the corrected one may date.
inline constexpr double kDatedLevel = 0.01;
// A library p below this (and not below the dated level) makes a candidate.
inline constexpr double kCandidateLevel = 0.05;
// A reference whose best placement has a p_chance below this proposes its
// end year to the consensus.
inline constexpr double kProposingLevel = 0.05;

struct RankedRow {
  PairOutcome outcome;
  int rank = 0;  // from 1
  double libraryP = 1.0;
  std::optional<double> distanceKm;  // to the best reference, when both are on the globe
  std::string verdict;               // "dated", "candidate", "chance", or empty without a placement
};

// An end year proposed by the references with p_chance below the proposing
// level.
struct ProposedYear {
  std::int64_t endYear = 0;
  int references = 0;
  std::optional<double> medianDistanceKm;  // of those references known on the globe
};

struct SeriesJudgement {
  int searched = 0;              // references with at least one placement
  std::vector<RankedRow> rows;   // every reference, best first
  std::vector<ProposedYear> consensus;  // most references first
  bool dated = false;            // the best row's library p is below the dated level
  // Years other than the best one that two or more references agree on.
  std::vector<ProposedYear> rivals;
  // Placements left out over all references: the series' last ring after
  // this year.
  long long laterLeftOut = 0;
  // References that hold the series itself (50 values or more unchanged),
  // left out for it.
  std::vector<std::size_t> holdingIt;

  const RankedRow* best() const { return rows.empty() || !rows.front().outcome.placed ? nullptr : &rows.front(); }
};

// 1 - (1 - p)^R: the chance that one of R references searched reaches this
// pair's p_chance or less by chance.
double libraryP(double pChance, int searched);

// Ranks a series' outcomes (one per reference): by p_chance, then the
// higher t, then reference order; references without a placement last.
SeriesJudgement judgeSeries(const std::vector<PairOutcome>& outcomes, const std::vector<Reference>& references);

}  // namespace veska::library
