#include "match/pair_table.h"

#include <charconv>
#include <cmath>

#include "records/text.h"

namespace veska::match {
namespace {

constexpr const char* kHeader =
    "series_a,series_b,placements,slot,last_ring_a,last_ring_b,overlap,r,t,p_chance,margin,verdict\n";

// A field as RFC 4180 wants it: quoted, with its quotes doubled, when it holds
// a comma, a quote or a line end.
std::string csvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + '"';
}

// The identifier as the report line shows it, without its leading and
// trailing blanks.
std::string identifier(const std::u32string& id) {
  const std::size_t begin = id.find_first_not_of(U' ');
  if (begin == std::u32string::npos) return "";
  const std::size_t end = id.find_last_not_of(U' ');
  return csvField(records::toUtf8(std::u32string_view(id).substr(begin, end - begin + 1)));
}

// The shortest text that reads back as the same value; "Inf" and "-Inf" for
// the infinities, as R and Python read them. A NaN, which no filled slot
// holds, would be an empty field.
template <class Real>
std::string number(Real value) {
  if (std::isnan(value)) return "";
  if (std::isinf(value)) return value > 0 ? "Inf" : "-Inf";
  char buffer[40];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
  return std::string(buffer, end);
}

}  // namespace

std::string pairTable(const RunRecord& run) {
  std::string text = kHeader;
  for (const RunPair& pair : run.pairs) {
    const PairTrust& trust = pair.best.trust;
    const std::string names = identifier(run.firstOf(pair).id) + ',' + identifier(run.secondOf(pair).id) + ',' +
                              std::to_string(trust.placements) + ',';
    const std::string tail = ',' + (trust.margin ? number(*trust.margin) : std::string()) + ',' +
                             std::string(verdictWord(trust.verdict)) + '\n';
    for (std::size_t j = 0; j < 3; ++j) {
      const Slot& slot = pair.best.slots[j];
      if (!slotFilled(pair.best, j)) continue;
      text += names + std::to_string(j + 1) + ',' + std::to_string(slot.lastRingFirst) + ',' +
              std::to_string(slot.lastRingSecond) + ',' + std::to_string(slot.overlap) + ',' +
              number(slot.correlation) + ',' + number(slot.tStatistic) + ',' + number(trust.pChance[j]) + tail;
    }
  }
  return text;
}

}  // namespace veska::match
