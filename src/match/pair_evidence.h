// What a finished run leaves for looking at its pairs again, and one pair's
// placements recomputed with the search routine the report used, so that a
// window can draw every placement's t-statistic and the series at any one.
//
// Only one pair's placements are held at a time: a PairEvidence is made when
// its pair is looked at, never for all pairs together.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "match/pair_match.h"

namespace veska::match {

// A series of the run: as the search compared it (prewhitened, or centred)
// and as it was read, with its identifier and its number in its own table.
struct RunSeries {
  std::u32string id;  // 8 characters
  int number = 0;
  std::int32_t firstYear = 0;
  std::vector<float> compared;
  std::vector<float> asRead;
};

// A pair of the match phase: the first series (a dated one when dated series
// were matched) and the second (always an undated one), by their place in
// their tables from 0, with the best three the report line shows.
struct RunPair {
  std::size_t first = 0;
  std::size_t second = 0;
  BestThree best;
};

// The series of a finished run and its pairs, in the report's order.
struct RunRecord {
  std::vector<RunSeries> undated;
  std::vector<RunSeries> dated;
  bool withDated = false;
  std::vector<RunPair> pairs;

  const RunSeries& firstOf(const RunPair& pair) const { return withDated ? dated[pair.first] : undated[pair.first]; }
  const RunSeries& secondOf(const RunPair& pair) const { return undated[pair.second]; }
  // The pair's line exactly as the report holds it.
  std::string pairLineText(const RunPair& pair) const;
  // Indexes into `pairs`, the best slot 1 t-statistic first (a NaN last);
  // pairs of equal t keep their report order.
  std::vector<std::size_t> pairsByBestT() const;
};

// The pairs the match phase compares, in the order it writes them, a group
// for each first series: every dated series against every undated one, or
// every undated series but the last against every later one.
struct PairGroup {
  std::size_t first = 0;       // from 0, in the first series' table
  std::size_t secondFrom = 0;  // paired with undated series secondFrom (from 0) to the last
};
std::vector<PairGroup> pairGroupsInReportOrder(std::size_t undatedCount, std::size_t datedCount, bool withDated);
// The same pairs one by one; `best` is filled in later.
std::vector<RunPair> pairsInReportOrder(std::size_t undatedCount, std::size_t datedCount, bool withDated);

// One placement of a pair, with its t-statistic as the search computed it
// (before the best three were taken out of the table).
struct PlacementRow {
  std::int64_t lastRingFirst = 0;
  std::int64_t lastRingSecond = 0;
  int overlap = 0;
  float correlation = 0.0f;
  float tStatistic = 0.0f;
  // The first compared value of each series, from 0.
  int startFirst = 0;
  int startSecond = 0;
  // The year, in the first series' years, on which the second series' last
  // ring lies: unlike the last rings compared it differs from placement to
  // placement, so the t-statistics can be drawn along it as one curve.
  std::int64_t secondEndsAt = 0;
};

class PairEvidence {
 public:
  // Every placement of the pair and its best three, from the fast search
  // routine, which gives the direct routine's bits: the report's numbers,
  // whichever routine wrote the report.
  static PairEvidence compute(const RunSeries& first, const RunSeries& second);

  const std::vector<PlacementRow>& placements() const { return rows_; }
  const BestThree& best() const { return best_; }
  // Slot j (0, 1, 2) of the best three, as the report line gives it.
  const Slot& bestSlot(int j) const { return best_.slots.at(static_cast<std::size_t>(j)); }
  // The placement (from 0) in slot 1, 2 and 3; none for a slot no placement
  // fills.
  const std::array<std::optional<int>, 3>& marked() const { return marked_; }
  // Slot 1's placement, if the pair has one.
  std::optional<int> bestPlacement() const { return marked_[0]; }

  // Placement k's last rings, overlap, correlation and t-statistic, in the 23
  // columns of a slot of the report's pair line.
  std::string slotText(int k) const;
  // One row per placement, tab-separated, under a row of column names that
  // name the two series (their identifiers, as the user knows them).
  std::string placementTable(std::string_view firstName, std::string_view secondName) const;

 private:
  std::vector<PlacementRow> rows_;
  BestThree best_;
  std::array<std::optional<int>, 3> marked_;
};

// The 23 columns of a slot as the report's pair line writes them.
std::string slotText(const Slot& slot);

}  // namespace veska::match
