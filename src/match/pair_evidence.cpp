#include "match/pair_evidence.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <numeric>

#include "match/match_report.h"

namespace veska::match {
namespace {

MatchSeries named(const RunSeries& series) {
  MatchSeries s;
  s.id = series.id;
  s.number = series.number;
  return s;
}

PairSeries compared(const RunSeries& series) {
  const std::size_t n = std::min(series.compared.size(), static_cast<std::size_t>(input::kMaxLength));
  return {std::span<const float>(series.compared.data(), n), series.firstYear};
}

// The shortest text that reads back as the same float.
std::string exact(float value) {
  char buffer[32];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
  return std::string(buffer, end);
}

}  // namespace

std::string RunRecord::pairLineText(const RunPair& pair) const {
  return pairLine(named(firstOf(pair)), named(secondOf(pair)), pair.best).str();
}

std::vector<std::size_t> RunRecord::pairsByBestT() const {
  std::vector<std::size_t> order(pairs.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  const auto key = [this](std::size_t i) {
    const float t = pairs[i].best.slots[0].tStatistic;
    return std::isnan(t) ? -INFINITY : t;
  };
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return key(a) > key(b); });
  return order;
}

std::vector<PairGroup> pairGroupsInReportOrder(std::size_t undatedCount, std::size_t datedCount, bool withDated) {
  std::vector<PairGroup> groups;
  const std::size_t firsts = withDated ? datedCount : (undatedCount > 0 ? undatedCount - 1 : 0);
  for (std::size_t i = 0; i < firsts; ++i) groups.push_back({i, withDated ? 0 : i + 1});
  return groups;
}

std::vector<RunPair> pairsInReportOrder(std::size_t undatedCount, std::size_t datedCount, bool withDated) {
  std::vector<RunPair> pairs;
  for (const PairGroup& g : pairGroupsInReportOrder(undatedCount, datedCount, withDated))
    for (std::size_t j = g.secondFrom; j < undatedCount; ++j) pairs.push_back({g.first, j, BestThree{}});
  return pairs;
}

PairEvidence PairEvidence::compute(const RunSeries& first, const RunSeries& second) {
  PairEvidence evidence;
  const PairSeries a = compared(first);
  const PairSeries b = compared(second);
  const int len1 = static_cast<int>(a.values.size());
  const int len2 = static_cast<int>(b.values.size());
  const std::int64_t secondLast = std::int64_t{b.firstYear} + len2 - 1;

  std::unique_ptr<MatchWork> work = makeMatchWork();
  fillPlacements(a, b, work->table, MatchRoutine::Fast, bestIsa(), work->scratch, work->stats);
  PlacementTable& table = work->table;
  evidence.rows_.reserve(static_cast<std::size_t>(table.count));
  for (int k = 0; k < table.count; ++k) {
    const auto at = static_cast<std::size_t>(k);
    const Placement p = placementAt(k, len1, len2, a.firstYear, b.firstYear);
    PlacementRow row;
    row.lastRingFirst = table.lastRingFirst[at];
    row.lastRingSecond = table.lastRingSecond[at];
    row.overlap = table.overlap[at];
    row.correlation = table.correlation[at];
    row.tStatistic = table.tStatistic[at];
    row.startFirst = p.phaseA ? 0 : p.s - 1;
    row.startSecond = p.phaseA ? p.s - 1 : 0;
    row.secondEndsAt = row.lastRingFirst + (secondLast - row.lastRingSecond);
    evidence.rows_.push_back(row);
  }

  evidence.best_ = chooseBestThree(table);
  assessTrust(a, b, table.count, evidence.best_);
  // The two last rings name a placement: no two placements share them. A
  // slot no placement filled keeps the empty slot's t-statistic.
  for (std::size_t j = 0; j < 3; ++j) {
    const Slot& slot = evidence.best_.slots[j];
    for (int k = 0; k < table.count; ++k) {
      const PlacementRow& row = evidence.rows_[static_cast<std::size_t>(k)];
      const bool sameT = std::bit_cast<std::uint32_t>(row.tStatistic) == std::bit_cast<std::uint32_t>(slot.tStatistic);
      if (row.lastRingFirst == slot.lastRingFirst && row.lastRingSecond == slot.lastRingSecond &&
          (sameT || slot.tStatistic == kEmptySlotT)) {
        evidence.marked_[j] = k;
        break;
      }
    }
  }
  return evidence;
}

std::string slotText(const Slot& slot) {
  records::Record r;
  slotFields(r, slot);
  return r.str();
}

std::string PairEvidence::slotText(int k) const {
  const PlacementRow& row = rows_.at(static_cast<std::size_t>(k));
  Slot slot;
  slot.tStatistic = row.tStatistic;
  slot.correlation = row.correlation;
  slot.lastRingFirst = row.lastRingFirst;
  slot.lastRingSecond = row.lastRingSecond;
  slot.overlap = row.overlap;
  return match::slotText(slot);
}

std::string PairEvidence::placementTable(std::string_view firstName, std::string_view secondName) const {
  std::string text = "last ring ";
  text.append(firstName).append("\tlast ring ").append(secondName).append("\toverlap\tr\tt\n");
  for (const PlacementRow& row : rows_) {
    text += std::to_string(row.lastRingFirst) + '\t' + std::to_string(row.lastRingSecond) + '\t' +
            std::to_string(row.overlap) + '\t' + exact(row.correlation) + '\t' + exact(row.tStatistic) + '\n';
  }
  return text;
}

}  // namespace veska::match
