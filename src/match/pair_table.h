// The pair table: every reported placement of a run as one CSV row, with the
// trust of its pair, for scripts and spreadsheets. Comma-separated, quoted as
// RFC 4180 says, UTF-8, LF line ends, a header row first:
//
//   series_a,series_b,placements,slot,last_ring_a,last_ring_b,overlap,r,t,p_chance,margin,verdict,
//   check,break_ring,break_shift,break_p,corrected_t,later_left_out
//
// One row per slot (1 to 3) of every pair that shows a placement of its own
// (slotFilled), in the report's pair order: a pair of one placement has one
// row, a pair of none has none. r, t, p_chance and margin are
// the shortest texts that read back as the same value; infinities are "Inf"
// and "-Inf"; the margin is empty for a pair without slot 2. No NaN is ever
// written: a slot whose t-statistic is NaN is no placement here either.
//
// The five columns before the last are the break check of the pair (see pair_break.h),
// the same on every row of a pair: check is "break", "none" or "cannot
// check"; break_ring (from 1, in series_b as read), break_shift (+1: a ring
// missing just before break_ring; -1: break_ring is a false ring, one ring
// with the ring before it; +-2 likewise for two) and corrected_t (t of the
// corrected series at its best placement) are filled for a break only,
// break_p (the chance level of the best split found) for a break and none.
//
// Against a dated series no placement may put the undated series' last ring
// after `latestYear` (this year): later_left_out (the last column) counts such placements of
// the pair, and a pair whose best three hold one is shown with the best
// three of the others (searched again; the report keeps its own).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "match/later_placements.h"
#include "match/pair_evidence.h"

namespace veska::match {

// The header row, with its line end.
std::string_view pairTableHeader();

// The rows of one pair after another, with their line ends (none for a pair
// with no slot filled): the run's series are needed, its pairs not, so a
// table can be written while the pairs are matched.
class PairTableRows {
 public:
  explicit PairTableRows(std::int64_t latestYear = currentYear());
  ~PairTableRows();
  PairTableRows(const PairTableRows&) = delete;
  PairTableRows& operator=(const PairTableRows&) = delete;
  std::string of(const RunRecord& run, const RunPair& pair);

 private:
  std::int64_t latestYear_;
  std::unique_ptr<MatchWork> work_;  // for a pair searched again, made once
};

// The whole table, header first.
std::string pairTable(const RunRecord& run, std::int64_t latestYear = currentYear());
// The whole table into a new file at `path`, a pair at a time, so the text
// is never held whole; empty when written, otherwise why not.
std::string writePairTable(const std::string& path, const RunRecord& run);

}  // namespace veska::match
