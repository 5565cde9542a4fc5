#include "match/match_phase.h"

#include <algorithm>
#include <thread>
#include <vector>

#include "match/pair_match.h"
#include "match/match_report.h"
#include "match/pair_evidence.h"
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

}  // namespace

std::vector<BestThree> runMatchPhase(runtime::Runtime& rt, const input::SeriesTable& undated,
                                     const input::SeriesTable& dated, bool withDated, const MatchPhaseOutput& output) {
  return runMatchPhase(rt, undated, dated, withDated, kBuiltRoutine, bestIsa(), output);
}

std::vector<BestThree> runMatchPhase(runtime::Runtime& rt, const input::SeriesTable& undated,
                                     const input::SeriesTable& dated, bool withDated, MatchRoutine routine, Isa isa,
                                     const MatchPhaseOutput& output) {
  const runtime::Unit unit = runtime::Unit::Report;
  writeHeadingBlock(rt, unit, withDated);
  const input::SeriesTable& firsts = withDated ? dated : undated;
  const std::vector<PairGroup> groups = pairGroupsInReportOrder(undated.size(), dated.size(), withDated);

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
    for (const PairGroup& g : groups)
      for (std::size_t j = g.secondFrom; j < undated.size(); ++j) jobs.push_back({firstBase + g.first, j});
    pipeline = std::make_unique<PairPipeline>(std::move(series), std::move(jobs), isa,
                                              std::thread::hardware_concurrency(), output.withTrust);
  }

  std::vector<BestThree> results;
  std::size_t total = 0;
  for (const PairGroup& g : groups) total += undated.size() - g.secondFrom;
  std::size_t k = 0;
  std::size_t written = 0;
  for (const PairGroup& g : groups) {
    const int firstNumber = static_cast<int>(g.first) + 1;
    writeColumnHeaderFor(rt, unit, firstNumber);
    const MatchSeries first = seriesOf(firsts, firstNumber);
    for (std::size_t j = g.secondFrom; j < undated.size(); ++j) {
      const MatchSeries second = seriesOf(undated, static_cast<int>(j) + 1);
      const BestThree best = pipeline ? pipeline->result(k++)
                                      : searchPair(first.series, second.series, *work, MatchRoutine::Direct, Isa::Sse2);
      writePairLines(rt, unit, first, second, best, output.pairLinesOnConsole);
      if (output.pairWritten) output.pairWritten(first, second, best);
      if (output.keepResults) results.push_back(best);
      ++written;
      if (output.progress) output.progress(written, total);
    }
    writeGroupSeparator(rt, unit);
  }
  return results;
}

}  // namespace veska::match
