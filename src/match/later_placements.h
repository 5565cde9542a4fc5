// Placements that put a floating series' last ring after the current year:
// no tree grows rings in the future, so against a dated series such a
// placement is no date and is not searched.
#pragma once

#include <cstdint>

#include "match/pair_match.h"

namespace veska::match {

// This year, by the computer's clock.
std::int64_t currentYear();

// The best three of a pair whose first series is dated, among the
// placements that put the second series' last ring in `latestYear` or
// before, with their trust over those placements alone; `leftOut` says how
// many placements were left out.
BestThree searchPairUpTo(const PairSeries& first, const PairSeries& second, const StretchStats& firstStats,
                         const StretchStats& secondStats, std::int64_t latestYear, MatchWork& work, Isa isa,
                         int& leftOut);

// The same forming both series' stretch statistics first.
BestThree searchPairUpTo(const PairSeries& first, const PairSeries& second, std::int64_t latestYear, MatchWork& work,
                         int& leftOut);

}  // namespace veska::match
