#include "match/pair_table.h"

#include "match/csv_text.h"
#include "runtime/new_file.h"

namespace veska::match {
namespace {

constexpr std::string_view kHeader =
    "series_a,series_b,placements,slot,last_ring_a,last_ring_b,overlap,r,t,p_chance,margin,verdict\n";

}  // namespace

std::string_view pairTableHeader() { return kHeader; }

std::string pairTableRows(std::u32string_view firstId, std::u32string_view secondId, const BestThree& best) {
  const PairTrust& trust = best.trust;
  const std::string names = csvField(trimmedId(firstId)) + ',' + csvField(trimmedId(secondId)) + ',' +
                            std::to_string(trust.placements) + ',';
  const std::string tail = ',' + (trust.margin ? csvNumber(*trust.margin) : std::string()) + ',' +
                           std::string(verdictWord(trust.verdict)) + '\n';
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

std::string pairTable(const RunRecord& run) {
  std::string text(kHeader);
  for (const RunPair& pair : run.pairs) text += pairTableRows(run.firstOf(pair).id, run.secondOf(pair).id, pair.best);
  return text;
}

std::string writePairTable(const std::string& path, const RunRecord& run) {
  runtime::NewFile file(path);
  file.write(kHeader);
  for (const RunPair& pair : run.pairs)
    if (!file.write(pairTableRows(run.firstOf(pair).id, run.secondOf(pair).id, pair.best))) break;
  return file.commit();
}

}  // namespace veska::match
