#include "match/pair_table.h"

#include "match/csv_text.h"

namespace veska::match {
namespace {

constexpr const char* kHeader =
    "series_a,series_b,placements,slot,last_ring_a,last_ring_b,overlap,r,t,p_chance,margin,verdict\n";

}  // namespace

std::string pairTable(const RunRecord& run) {
  std::string text = kHeader;
  for (const RunPair& pair : run.pairs) {
    const PairTrust& trust = pair.best.trust;
    const std::string names = csvField(trimmedId(run.firstOf(pair).id)) + ',' +
                              csvField(trimmedId(run.secondOf(pair).id)) + ',' + std::to_string(trust.placements) + ',';
    const std::string tail = ',' + (trust.margin ? csvNumber(*trust.margin) : std::string()) + ',' +
                             std::string(verdictWord(trust.verdict)) + '\n';
    for (std::size_t j = 0; j < 3; ++j) {
      const Slot& slot = pair.best.slots[j];
      if (!slotFilled(pair.best, j)) continue;
      text += names + std::to_string(j + 1) + ',' + std::to_string(slot.lastRingFirst) + ',' +
              std::to_string(slot.lastRingSecond) + ',' + std::to_string(slot.overlap) + ',' +
              csvNumber(slot.correlation) + ',' + csvNumber(slot.tStatistic) + ',' + csvNumber(trust.pChance[j]) + tail;
    }
  }
  return text;
}

}  // namespace veska::match
