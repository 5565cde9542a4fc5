#include "library/library_search.h"

#include <cmath>
#include <memory>

#include "library/found_in_library.h"
#include "match/correlation.h"
#include "match/later_placements.h"
#include "match/pair_match.h"
#include "stats/whitening.h"

namespace veska::library {
namespace {

match::PairSeries pairSeries(const std::vector<float>& compared, std::int32_t firstYear) {
  const std::size_t n = std::min<std::size_t>(compared.size(), input::kMaxLength);
  return {std::span<const float>(compared.data(), n), firstYear};
}

PairOutcome outcomeOf(std::size_t reference, int placements, const match::BestThree& best, std::int64_t seriesLast) {
  PairOutcome out;
  out.reference = reference;
  out.placements = placements;
  const match::Slot& slot = best.slots[0];
  // An empty slot, or a NaN taken for want of any other placement, is no
  // placement to report.
  out.placed = placements > 0 && match::slotFilled(best, 0);
  if (!out.placed) return out;
  out.t = slot.tStatistic;
  out.r = slot.correlation;
  out.overlap = slot.overlap;
  out.referenceLastRing = slot.lastRingFirst;
  out.seriesLastRing = slot.lastRingSecond;
  out.endYear = slot.lastRingFirst + (seriesLast - slot.lastRingSecond);
  // The pair table's own chance level, so that a pair reads the same here
  // and in its pair window.
  out.pChance = best.trust.pChance[0];
  return out;
}

// The pair's best placement among those that end by `latestYear`, with its
// trust over the placements left.
PairOutcome searchPair(std::size_t reference, const match::PairSeries& first, const match::PairSeries& second,
                       const match::StretchStats& firstStats, const match::StretchStats& secondStats,
                       match::MatchWork& work, match::Isa isa, std::int64_t latestYear) {
  int later = 0;
  const match::BestThree best =
      match::searchPairUpTo(first, second, firstStats, secondStats, latestYear, work, isa, later);
  const std::int64_t seriesLast =
      std::int64_t{second.firstYear} + static_cast<std::int64_t>(second.values.size()) - 1;
  PairOutcome out = outcomeOf(reference, work.table.count - later, best, seriesLast);
  out.laterLeftOut = later;
  return out;
}

}  // namespace

std::vector<UndatedSeries> undatedSeriesOf(const input::SeriesTable& table) {
  stats::WhiteningWork work(input::kMaxLength);
  std::vector<UndatedSeries> series;
  for (const input::Series& read : table) {
    UndatedSeries s{read.id, read.firstYear, read.values, read.values};
    stats::whiten(s.compared, work);
    series.push_back(std::move(s));
  }
  return series;
}

std::vector<std::vector<PairOutcome>> searchLibrary(const std::vector<UndatedSeries>& series,
                                                    const std::vector<Reference>& references,
                                                    const SearchProgress& progress, std::int64_t latestYear) {
  const match::Isa isa = match::bestIsa();
  std::unique_ptr<match::MatchWork> work = match::makeMatchWork();
  std::vector<match::StretchStats> seriesStats(series.size());
  std::vector<std::vector<std::uint64_t>> seriesStretches;
  for (std::size_t s = 0; s < series.size(); ++s) {
    match::computeStretchStats(pairSeries(series[s].compared, series[s].firstYear).values, isa, work->scratch,
                               seriesStats[s]);
    seriesStretches.push_back(stretchHashes(series[s].values));
  }

  std::vector<std::vector<PairOutcome>> results(series.size());
  for (auto& row : results) row.reserve(references.size());
  match::StretchStats referenceStats;
  for (std::size_t i = 0; i < references.size(); ++i) {
    const match::PairSeries first = pairSeries(references[i].compared, references[i].firstYear);
    match::computeStretchStats(first.values, isa, work->scratch, referenceStats);
    for (std::size_t s = 0; s < series.size(); ++s) {
      const match::PairSeries second = pairSeries(series[s].compared, series[s].firstYear);
      if (first.values.size() < match::kMinOverlap || second.values.size() < match::kMinOverlap) {
        results[s].push_back({.reference = i});  // no placement can overlap by 50 rings
        continue;
      }
      if (sharesAStretch(seriesStretches[s], references[i].stretches)) {
        results[s].push_back({.reference = i, .holdsTheSeries = true});
        continue;
      }
      results[s].push_back(searchPair(i, first, second, referenceStats, seriesStats[s], *work, isa, latestYear));
    }
    if (progress && !progress(i + 1, references.size())) break;
  }
  return results;
}

float tAtEndYear(const UndatedSeries& series, const Reference& reference, std::int64_t endYear) {
  const match::PairSeries a = pairSeries(reference.compared, reference.firstYear);
  const match::PairSeries b = pairSeries(series.compared, series.firstYear);
  // Reference index of the series' first ring at this placement.
  const std::int64_t start = endYear - (static_cast<std::int64_t>(b.values.size()) - 1) - a.firstYear;
  const std::int64_t from = std::max<std::int64_t>(start, 0);
  const std::int64_t to = std::min<std::int64_t>(start + static_cast<std::int64_t>(b.values.size()),
                                                 static_cast<std::int64_t>(a.values.size()));
  const std::int64_t m = to - from;
  if (m < match::kMinOverlap) return NAN;
  const auto x = a.values.subspan(static_cast<std::size_t>(from), static_cast<std::size_t>(m));
  const auto y = b.values.subspan(static_cast<std::size_t>(from - start), static_cast<std::size_t>(m));
  return match::tStatistic(match::correlate(x, y), static_cast<int>(m));
}

}  // namespace veska::library
