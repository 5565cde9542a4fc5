#include "match/later_placements.h"

#include <algorithm>
#include <chrono>
#include <cmath>

namespace veska::match {
namespace {

// Takes the placements that put the second series' last ring after
// `latestYear` out of the table (a NaN t is never chosen); returns how many.
int leaveOutLaterPlacements(PlacementTable& table, std::int64_t secondLast, std::int64_t latestYear) {
  int left = 0;
  for (std::size_t k = 0; k < static_cast<std::size_t>(table.count); ++k) {
    if (table.lastRingFirst[k] + (secondLast - table.lastRingSecond[k]) <= latestYear) continue;
    table.tStatistic[k] = NAN;
    ++left;
  }
  return left;
}

}  // namespace

std::int64_t currentYear() {
  const auto today = std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now());
  return static_cast<int>(std::chrono::year_month_day(today).year());
}

BestThree searchPairUpTo(const PairSeries& first, const PairSeries& second, const StretchStats& firstStats,
                         const StretchStats& secondStats, std::int64_t latestYear, MatchWork& work, Isa isa,
                         int& leftOut) {
  const std::size_t used = std::min<std::size_t>(second.values.size(), input::kMaxLength);
  const std::int64_t secondLast = std::int64_t{second.firstYear} + static_cast<std::int64_t>(used) - 1;
  fillPlacementsFast(first, second, firstStats, secondStats, work.table, isa, work.scratch);
  leftOut = leaveOutLaterPlacements(work.table, secondLast, latestYear);
  const int placements = work.table.count - leftOut;
  BestThree best = chooseBestThree(work.table);
  assessTrust(first, second, placements, best);
  return best;
}

BestThree searchPairUpTo(const PairSeries& first, const PairSeries& second, std::int64_t latestYear, MatchWork& work,
                         int& leftOut) {
  const Isa isa = bestIsa();
  const auto used = [](const PairSeries& s) {
    return PairSeries{s.values.first(std::min<std::size_t>(s.values.size(), input::kMaxLength)), s.firstYear};
  };
  const PairSeries a = used(first);
  const PairSeries b = used(second);
  computeStretchStats(a.values, isa, work.scratch, work.stats.first);
  computeStretchStats(b.values, isa, work.scratch, work.stats.second);
  return searchPairUpTo(a, b, work.stats.first, work.stats.second, latestYear, work, isa, leftOut);
}

}  // namespace veska::match
