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

// A length below 0 (last year before first year) compares nothing rather
// than reading outside the table.
MatchSeries seriesOf(const input::SeriesTable& table, int i) {
  const auto at = static_cast<std::size_t>(i - 1);
  const auto n = static_cast<std::size_t>(std::clamp(table.length(i), 0, table.maxLength));
  MatchSeries s;
  s.series.values = std::span<const float>(table.store.data() + at * static_cast<std::size_t>(table.maxLength), n);
  s.series.firstYear = table.first[at];
  s.id = table.id(i);
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
  const int firstCount = withDated ? dated.count : undated.count - 1;
  for (int i = 1; i <= firstCount; ++i) {
    Group g;
    g.first = i;
    for (int j = withDated ? 1 : i + 1; j <= undated.count; ++j) g.seconds.push_back(j);
    groups.push_back(std::move(g));
  }
  return groups;
}

}  // namespace

void runMatchPhase(records::Runtime& rt, const input::SeriesTable& undated, const input::SeriesTable& dated,
                   bool withDated, std::vector<BestThree>* results) {
  runMatchPhase(rt, undated, dated, withDated, kBuiltRoutine, bestIsa(), results);
}

void runMatchPhase(records::Runtime& rt, const input::SeriesTable& undated, const input::SeriesTable& dated,
                   bool withDated, MatchRoutine routine, Isa isa, std::vector<BestThree>* results) {
  const int unit = records::kReportUnit;
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
    for (int j = 1; j <= undated.count; ++j) series.push_back(seriesOf(undated, j).series);
    const std::size_t firstBase = withDated ? series.size() : 0;
    if (withDated)
      for (int i = 1; i <= dated.count; ++i) series.push_back(seriesOf(dated, i).series);
    std::vector<PairJob> jobs;
    for (const Group& g : groups)
      for (int j : g.seconds)
        jobs.push_back({firstBase + static_cast<std::size_t>(g.first - 1), static_cast<std::size_t>(j - 1)});
    pipeline = std::make_unique<PairPipeline>(std::move(series), std::move(jobs), isa,
                                              std::thread::hardware_concurrency());
  }

  std::size_t k = 0;
  for (const Group& g : groups) {
    writeColumnHeaderFor(rt, unit, g.first);
    const MatchSeries first = seriesOf(firsts, g.first);
    for (int j : g.seconds) {
      const MatchSeries second = seriesOf(undated, j);
      BestThree best;
      if (pipeline) {
        best = pipeline->result(k++);
        writePairLines(rt, unit, first, second, best);
      } else {
        matchPair(rt, first, second, unit, *work, best);
      }
      if (results) results->push_back(best);
    }
    writeGroupSeparator(rt, unit);
  }
}

}  // namespace veska::match
