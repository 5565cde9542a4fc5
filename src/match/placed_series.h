// A floating series of a pair given the years a placement gives it, ready to
// be saved as a data file.
#pragma once

#include <cstdint>
#include <optional>

#include "input/series.h"
#include "match/pair_evidence.h"

namespace veska::match {

// The year on which the second series' last ring lies at `row`, in calendar
// years: the first series' own years when it is dated; when it is floating,
// the years it has once its last ring lies in `firstLastYear`.
std::int64_t secondLastYear(const RunSeries& first, const PlacementRow& row,
                            std::optional<std::int64_t> firstLastYear);

// The series as read, its last ring in `lastYear`; nullopt when its years
// would leave the 32-bit range.
std::optional<input::Series> seriesEndingIn(const RunSeries& series, std::int64_t lastYear);

}  // namespace veska::match
