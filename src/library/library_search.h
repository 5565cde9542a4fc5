// The library search: every undated series against every reference, at
// every placement with at least 50 rings of overlap, with the match phase's
// own search routine on prewhitened values (the reference is the pair's
// first series, as a dated series is in a run).
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "input/series.h"
#include "library/reference.h"
#include "match/later_placements.h"

namespace veska::library {

// An undated series as read, and as the search compares it.
struct UndatedSeries {
  std::u32string id;  // 8 characters
  std::int32_t firstYear = 0;
  std::vector<float> values;
  std::vector<float> compared;

  std::int32_t lastYear() const { return firstYear + static_cast<std::int32_t>(values.size()) - 1; }
};

// The series of an undated file made ready for the search: each prewhitened
// as the match phase prewhitens it.
std::vector<UndatedSeries> undatedSeriesOf(const input::SeriesTable& table);

// One undated series against one reference: its best placement.
struct PairOutcome {
  std::size_t reference = 0;  // index into the library's references
  int placements = 0;         // tried, each with at least 50 rings of overlap
  bool placed = false;        // a best placement exists (some t that is not NaN)
  float t = 0.0f;
  float r = 0.0f;
  int overlap = 0;
  std::int64_t referenceLastRing = 0;  // the last ring compared, in the reference's years
  std::int64_t seriesLastRing = 0;     // the same in the series' own numbering
  std::int64_t endYear = 0;  // the year the placement gives the series' last ring
  double pChance = 1.0;      // the chance probability of this best placement
  // Placements left out because they put the series' last ring after the
  // latest year (no tree grows rings in the future).
  int laterLeftOut = 0;
  // The reference holds 50 or more of the series' values unchanged: the
  // series is part of it, so it is not searched against it.
  bool holdsTheSeries = false;
};


// Told how far the search is; returns false to stop it.
using SearchProgress = std::function<bool(std::size_t done, std::size_t total)>;

// The outcomes of series s against every reference, in reference order:
// result[s][i] for reference i. Placements that put the series' last ring
// after `latestYear` are not searched (and not counted among the placements
// tried); a reference that holds the series is not searched for it. A search
// stopped through `progress` holds the references searched until then.
std::vector<std::vector<PairOutcome>> searchLibrary(const std::vector<UndatedSeries>& series,
                                                    const std::vector<Reference>& references,
                                                    const SearchProgress& progress = {},
                                                    std::int64_t latestYear = match::currentYear());

// The t-statistic of the one placement that puts the series' last ring on
// `endYear` of the reference; NaN when that placement overlaps by fewer than
// 50 rings (or has no variance).
float tAtEndYear(const UndatedSeries& series, const Reference& reference, std::int64_t endYear);

}  // namespace veska::library
