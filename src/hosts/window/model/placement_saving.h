// File > Save Series at This Placement... of a pair window, without Qt: the
// pair's second (floating) series saved with the years the selected
// placement gives it, never over the run's data files or its report.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "input/series_saving.h"
#include "match/pair_evidence.h"

namespace veska::window {

// Whether the first series of the run's pairs is floating too, so that the
// year of its last ring must be asked before its partner can be dated.
inline bool needsFirstSeriesYear(const match::RunRecord& run) { return !run.withDated; }

// Saves `second` (the pair's floating series, as read) into `path` with its
// last ring in the year placement `at` gives it: in the first series' years
// when that one is dated, otherwise in the years it has once its last ring
// lies in `firstLastYear`. The run's data files and VESKA.OUT (in the
// current folder) are refused.
input::SaveResult saveSeriesAtPlacement(const match::RunRecord& run, const match::RunSeries& first,
                                        const match::RunSeries& second, const match::PlacementRow& at,
                                        std::optional<std::int64_t> firstLastYear, const std::string& path);

}  // namespace veska::window
