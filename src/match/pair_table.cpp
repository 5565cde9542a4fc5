#include "match/pair_table.h"

#include <cmath>

#include "match/csv_text.h"
#include "match/pair_break.h"
#include "runtime/new_file.h"

namespace veska::match {
namespace {

constexpr std::string_view kHeader =
    "series_a,series_b,placements,slot,last_ring_a,last_ring_b,overlap,r,t,p_chance,margin,verdict,"
    "check,break_ring,break_shift,break_p,corrected_t\n";

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

}  // namespace

std::string_view pairTableHeader() { return kHeader; }

std::string pairTableRows(const RunRecord& run, const RunPair& pair) {
  const PairTrust& trust = pair.best.trust;
  const std::string names = csvField(trimmedId(run.firstOf(pair).id)) + ',' +
                            csvField(trimmedId(run.secondOf(pair).id)) + ',' + std::to_string(trust.placements) + ',';
  const std::string tail = ',' + (trust.margin ? csvNumber(*trust.margin) : std::string()) + ',' +
                           std::string(verdictWord(trust.verdict)) +
                           checkColumns(checkPair(run.firstOf(pair), run.secondOf(pair), pair.best)) + '\n';
  std::string text;
  for (std::size_t j = 0; j < 3; ++j) {
    const Slot& slot = pair.best.slots[j];
    if (!slotFilled(pair.best, j)) continue;
    text += names + std::to_string(j + 1) + ',' + std::to_string(slot.lastRingFirst) + ',' +
            std::to_string(slot.lastRingSecond) + ',' + std::to_string(slot.overlap) + ',' +
            csvNumber(slot.correlation) + ',' + csvNumber(slot.tStatistic) + ',' + csvNumber(trust.pChance[j]) + tail;
  }
  return text;
}

std::string pairTable(const RunRecord& run) {
  std::string text(kHeader);
  for (const RunPair& pair : run.pairs) text += pairTableRows(run, pair);
  return text;
}

std::string writePairTable(const std::string& path, const RunRecord& run) {
  runtime::NewFile file(path);
  file.write(kHeader);
  for (const RunPair& pair : run.pairs)
    if (!file.write(pairTableRows(run, pair))) break;
  return file.commit();
}

}  // namespace veska::match
