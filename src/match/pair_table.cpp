#include "match/pair_table.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "match/csv_text.h"
#include "match/later_placements.h"
#include "match/pair_break.h"
#include "runtime/new_file.h"

namespace veska::match {
namespace {

constexpr std::string_view kHeader =
    "series_a,series_b,placements,slot,last_ring_a,last_ring_b,overlap,r,t,p_chance,margin,verdict,"
    "check,break_ring,break_shift,break_p,corrected_t,later_left_out\n";

// The check's columns, the same on every row of a pair: the ring, shift and
// corrected t only for a break, the chance level for a break and for none.
std::string checkColumns(const PairCheck& c) {
  const BreakCheck& b = c.check;
  std::string text = ',' + std::string(checkWord(b.answer)) + ',';
  const bool found = b.answer == CheckAnswer::Break;
  if (found) text += std::to_string(b.breakRing) + ',' + std::to_string(b.shift);
  else text += ',';
  text += ',';
  if (found || b.answer == CheckAnswer::None) text += csvNumber(b.breakP);
  text += ',';
  if (found && !std::isnan(c.correctedT)) text += csvNumber(c.correctedT);
  return text;
}

std::size_t usedLength(const RunSeries& s) { return std::min<std::size_t>(s.compared.size(), input::kMaxLength); }

// The placements of a dated pair that put the second series' last ring after
// `latestYear`: each placement puts it on its own year E, from the first's
// first year + 49 to its last year + (the second's length - 50).
long long laterPlacements(const RunSeries& first, const RunSeries& second, std::int64_t latestYear) {
  const auto n1 = static_cast<std::int64_t>(usedLength(first));
  const auto n2 = static_cast<std::int64_t>(usedLength(second));
  if (n1 < kMinOverlap || n2 < kMinOverlap) return 0;
  const std::int64_t earliest = std::int64_t{first.firstYear} + kMinOverlap - 1;
  const std::int64_t latest = std::int64_t{first.firstYear} + n1 - 1 + n2 - kMinOverlap;
  return std::max<std::int64_t>(0, latest - std::max(latestYear, earliest - 1));
}

// The pair's best three as the table shows them: a dated pair whose best
// three hold a placement after `latestYear` is searched again without such
// placements (the report keeps its own best three).
BestThree tableBestThree(const RunRecord& run, const RunPair& pair, std::int64_t latestYear, long long later,
                         std::unique_ptr<MatchWork>& work) {
  if (later == 0) return pair.best;
  const RunSeries& first = run.firstOf(pair);
  const RunSeries& second = run.secondOf(pair);
  const std::int64_t secondLast = std::int64_t{second.firstYear} + static_cast<std::int64_t>(usedLength(second)) - 1;
  bool inTheFuture = false;
  for (std::size_t j = 0; j < 3; ++j) {
    const Slot& s = pair.best.slots[j];
    if (slotFilled(pair.best, j) && s.lastRingFirst + (secondLast - s.lastRingSecond) > latestYear) inTheFuture = true;
  }
  if (!inTheFuture) return pair.best;
  if (!work) work = makeMatchWork();
  int leftOut = 0;
  return searchPairUpTo({first.compared, first.firstYear}, {second.compared, second.firstYear}, latestYear, *work,
                        leftOut);
}

}  // namespace

std::string_view pairTableHeader() { return kHeader; }

PairTableRows::PairTableRows(std::int64_t latestYear) : latestYear_(latestYear) {}

PairTableRows::~PairTableRows() = default;

std::string PairTableRows::of(const RunRecord& run, const RunPair& pair) {
  const long long later = run.withDated ? laterPlacements(run.firstOf(pair), run.secondOf(pair), latestYear_) : 0;
  const BestThree best = tableBestThree(run, pair, latestYear_, later, work_);
  const PairTrust& trust = best.trust;
  const std::string names = csvField(trimmedId(run.firstOf(pair).id)) + ',' +
                            csvField(trimmedId(run.secondOf(pair).id)) + ',' + std::to_string(trust.placements) + ',';
  const std::string tail = ',' + (trust.margin ? csvNumber(*trust.margin) : std::string()) + ',' +
                           std::string(verdictWord(trust.verdict)) +
                           checkColumns(checkPair(run.firstOf(pair), run.secondOf(pair), best)) + ',' +
                           std::to_string(later) + '\n';
  std::string text;
  for (std::size_t j = 0; j < 3; ++j) {
    const Slot& slot = best.slots[j];
    if (!slotFilled(best, j)) continue;
    text += names + std::to_string(j + 1) + ',' + std::to_string(slot.lastRingFirst) + ',' +
            std::to_string(slot.lastRingSecond) + ',' + std::to_string(slot.overlap) + ',' +
            csvNumber(slot.correlation) + ',' + csvNumber(slot.tStatistic) + ',' + csvNumber(trust.pChance[j]) + tail;
  }
  return text;
}

std::string pairTable(const RunRecord& run, std::int64_t latestYear) {
  std::string text(kHeader);
  PairTableRows rows(latestYear);
  for (const RunPair& pair : run.pairs) text += rows.of(run, pair);
  return text;
}

std::string writePairTable(const std::string& path, const RunRecord& run) {
  runtime::NewFile file(path);
  file.write(kHeader);
  PairTableRows rows;
  for (const RunPair& pair : run.pairs)
    if (!file.write(rows.of(run, pair))) break;
  return file.commit();
}

}  // namespace veska::match
