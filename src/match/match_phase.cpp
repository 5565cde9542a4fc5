#include "match/match_phase.h"

#include <algorithm>
#include <thread>
#include <vector>

#include "match/pair_match.h"
#include "match/match_report.h"
#include "match/pair_pipeline.h"

namespace veska::match {
namespace {

#ifdef VESKA_DIRECT_MATCH
constexpr MatchRoutine kBuiltRoutine = MatchRoutine::Direct;
#else
constexpr MatchRoutine kBuiltRoutine = MatchRoutine::Fast;
#endif

// Series number i (from 1) of a table.
MatchSeries seriesOf(const input::SeriesTable& table, int i) {
  const input::Series& series = table[static_cast<std::size_t>(i - 1)];
  MatchSeries s;
  s.series.values = series.values;
  s.series.firstYear = series.firstYear;
  s.id = series.id;
  s.number = i;
  return s;
}

// The pairs of the phase in writing order: groups of one first series each.
struct Group {
  int first = 0;             // number in the first series' table
  std::vector<int> seconds;  // numbers in the undated table
};

std::vector<Group> groupsOf(const input::SeriesTable& undated, const input::SeriesTable& dated, bool withDated) {
  std::vector<Group> groups;
  const int undatedCount = static_cast<int>(undated.size());
  const int firstCount = withDated ? static_cast<int>(dated.size()) : undatedCount - 1;
  for (int i = 1; i <= firstCount; ++i) {
    Group g;
    g.first = i;
    for (int j = withDated ? 1 : i + 1; j <= undatedCount; ++j) g.seconds.push_back(j);
    groups.push_back(std::move(g));
  }
  return groups;
}

}  // namespace

std::vector<BestThree> runMatchPhase(runtime::Runtime& rt, const input::SeriesTable& undated,
                                     const input::SeriesTable& dated, bool withDated) {
  return runMatchPhase(rt, undated, dated, withDated, kBuiltRoutine, bestIsa());
}

std::vector<BestThree> runMatchPhase(runtime::Runtime& rt, const input::SeriesTable& undated,
                                     const input::SeriesTable& dated, bool withDated, MatchRoutine routine, Isa isa) {
  const runtime::Unit unit = runtime::Unit::Report;
  writeHeadingBlock(rt, unit, withDated);
  const input::SeriesTable& firsts = withDated ? dated : undated;
  const std::vector<Group> groups = groupsOf(undated, dated, withDated);

  std::unique_ptr<MatchWork> work;
  std::unique_ptr<PairPipeline> pipeline;
  if (routine == MatchRoutine::Direct) {
    work = makeMatchWork();
  } else {
    // The series list: the undated series, then the first series' table
    // when it is the dated one.
    std::vector<PairSeries> series;
    for (int j = 1; j <= static_cast<int>(undated.size()); ++j) series.push_back(seriesOf(undated, j).series);
    const std::size_t firstBase = withDated ? series.size() : 0;
    if (withDated)
      for (int i = 1; i <= static_cast<int>(dated.size()); ++i) series.push_back(seriesOf(dated, i).series);
    std::vector<PairJob> jobs;
    for (const Group& g : groups)
      for (int j : g.seconds)
        jobs.push_back({firstBase + static_cast<std::size_t>(g.first - 1), static_cast<std::size_t>(j - 1)});
    pipeline = std::make_unique<PairPipeline>(std::move(series), std::move(jobs), isa,
                                              std::thread::hardware_concurrency());
  }

  std::vector<BestThree> results;
  std::size_t k = 0;
  for (const Group& g : groups) {
    writeColumnHeaderFor(rt, unit, g.first);
    const MatchSeries first = seriesOf(firsts, g.first);
    for (int j : g.seconds) {
      const MatchSeries second = seriesOf(undated, j);
      const BestThree best = pipeline ? pipeline->result(k++)
                                      : searchPair(first.series, second.series, *work, MatchRoutine::Direct, Isa::Sse2);
      writePairLines(rt, unit, first, second, best);
      results.push_back(best);
    }
    writeGroupSeparator(rt, unit);
  }
  return results;
}

}  // namespace veska::match
