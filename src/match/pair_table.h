// The pair table: every reported placement of a run as one CSV row, with the
// trust of its pair, for scripts and spreadsheets. Comma-separated, quoted as
// RFC 4180 says, UTF-8, LF line ends, a header row first:
//
//   series_a,series_b,placements,slot,last_ring_a,last_ring_b,overlap,r,t,p_chance,margin,verdict
//
// One row per slot (1 to 3) of every pair that shows a placement of its own
// (slotFilled), in the report's pair order: a pair of one placement has one
// row, a pair of none has none. r, t, p_chance and margin are
// the shortest texts that read back as the same value; infinities are "Inf"
// and "-Inf"; the margin is empty for a pair without slot 2. No NaN is ever
// written: a slot whose t-statistic is NaN is no placement here either.
#pragma once

#include <string>
#include <string_view>

#include "match/pair_evidence.h"

namespace veska::match {

// The header row, with its line end.
std::string_view pairTableHeader();
// One pair's rows, with their line ends (none when no slot is filled).
std::string pairTableRows(std::u32string_view firstId, std::u32string_view secondId, const BestThree& best);

// The whole table, header first.
std::string pairTable(const RunRecord& run);
// The whole table into a new file at `path`, a pair at a time, so the text
// is never held whole; empty when written, otherwise why not.
std::string writePairTable(const std::string& path, const RunRecord& run);

}  // namespace veska::match
