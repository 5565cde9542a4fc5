// The pair table: every reported placement of a run as one CSV row, with the
// trust of its pair, for scripts and spreadsheets. Comma-separated, quoted as
// RFC 4180 says, UTF-8, LF line ends, a header row first:
//
//   series_a,series_b,placements,slot,last_ring_a,last_ring_b,overlap,r,t,p_chance,margin,verdict,later_left_out
//
// One row per slot (1 to 3) of every pair that shows a placement of its own
// (slotFilled), in the report's pair order: a pair of one placement has one
// row, a pair of none has none. r, t, p_chance and margin are
// the shortest texts that read back as the same value; infinities are "Inf"
// and "-Inf"; the margin is empty for a pair without slot 2. No NaN is ever
// written: a slot whose t-statistic is NaN is no placement here either.
//
// Against a dated series no placement may put the undated series' last ring
// after `latestYear` (this year): later_left_out counts such placements of
// the pair, and a pair whose best three hold one is shown with the best
// three of the others (searched again; the report keeps its own).
#pragma once

#include <string>

#include "match/later_placements.h"
#include "match/pair_evidence.h"

namespace veska::match {

std::string pairTable(const RunRecord& run, std::int64_t latestYear = currentYear());

}  // namespace veska::match
