// The match phase of a run: the heading block, then every pair in order, each
// written as its console progress line and then its report line, with the
// column headers and group separators between the groups.
//
// With dated series, each dated series i is the first series against every
// undated series; otherwise each undated series i against every later one.
// The fast routine computes the pairs on worker threads ahead of the writer;
// the lines still come out one pair at a time, in this order, from the
// calling thread, and carry the same bits as the direct routine's.
#pragma once

#include <cstddef>
#include <functional>
#include <vector>

#include "runtime/runtime.h"
#include "input/series.h"
#include "match/pair_match.h"
#include "match/placements.h"

namespace veska::match {

// What the match phase tells besides the report: each pair's line on the
// console too (unless a script asked for quiet), and, when someone listens,
// how many pairs of how many are written. The pairs' trust is computed only
// for a run that shows it (the report never does).
struct MatchPhaseOutput {
  bool pairLinesOnConsole = true;
  bool withTrust = true;
  std::function<void(std::size_t written, std::size_t total)> progress;
  // Told each pair's best three right after its lines are written.
  std::function<void(const MatchSeries& first, const MatchSeries& second, const BestThree& best)> pairWritten;
  // Every pair's best three returned at the end; without, none is held.
  bool keepResults = true;
};

// The run's match phase, on the report unit, with the routine this program
// was built with: the fast one, or the direct one in the benchmark-only build
// (VESKA_DIRECT_MATCH). Returns every pair's best three in writing order
// (unless the output keeps none), with their trust when the output asks for
// it.
std::vector<BestThree> runMatchPhase(runtime::Runtime& rt, const input::SeriesTable& undated,
                                     const input::SeriesTable& dated, bool withDated,
                                     const MatchPhaseOutput& output = {});

// The same with a chosen routine and, for the fast one, instruction set.
std::vector<BestThree> runMatchPhase(runtime::Runtime& rt, const input::SeriesTable& undated,
                                     const input::SeriesTable& dated, bool withDated, MatchRoutine routine, Isa isa,
                                     const MatchPhaseOutput& output = {});

}  // namespace veska::match
