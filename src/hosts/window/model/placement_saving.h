// File > Save Series at This Placement... of a pair window, without Qt: the
// pair's second (floating) series saved with the years the selected
// placement gives it, never over the run's data files or its report.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "input/series_saving.h"
#include "match/break_check.h"
#include "match/pair_evidence.h"

namespace veska::window {

// Saves `second` (the pair's floating series, as read) into `path` with its
// last ring in the year placement `at` gives it: in the first series' own
// years when `firstLastYear` is not given (the first series is dated),
// otherwise in the years the first series has once its last ring lies in
// `firstLastYear`. The run's `dataFiles` (as opened) and VESKA.OUT (in the
// current folder) are refused.
// Why the series is not saved into `path` (one of the run's files, a name
// of no layout, a link), known before anything is written; nothing when it
// may be.
std::optional<std::string> placementSaveRefusal(const std::string& path, const std::vector<std::string>& dataFiles);

input::SaveResult saveSeriesAtPlacement(const match::RunSeries& first, const match::RunSeries& second,
                                        const match::PlacementRow& at, std::optional<std::int64_t> firstLastYear,
                                        const std::string& path, const std::vector<std::string>& dataFiles);

// File > Save Corrected Series... of a pair window: the second series as
// read with the break `check` found corrected (a ring of width 0 inserted for
// a missed ring, a false ring merged into the ring before it), saved with the
// years the placement of its part before the break gives it, under the same
// rules as above. A check without a break saves nothing.
input::SaveResult saveCorrectedSeries(const match::RunSeries& first, const match::RunSeries& second,
                                      const match::BreakCheck& check, std::optional<std::int64_t> firstLastYear,
                                      const std::string& path, const std::vector<std::string>& dataFiles);

}  // namespace veska::window
