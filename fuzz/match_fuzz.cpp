// The match search over arbitrary short series, NaN and infinite values
// included: the fast routine, in every instruction set this processor has,
// must give the direct routine's placements and best three bit for bit; the
// pair's report and console lines keep their columns whatever the numbers.
//
// Input: byte 0 chooses how values are spelt (bit 0: raw float bits, else a
// small alphabet of steps and special values); bytes 1-2 the lengths of the
// two series (1 to 256 values each), bytes 3-10 their first years; the rest
// the values, first series first. Missing bytes read as 0.
#include <bit>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "match/pair_match.h"
#include "match/match_report.h"
#include "fuzz_support.h"

namespace veska::fuzz {
namespace {

class Bytes {
 public:
  Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  std::uint8_t next() { return at_ < size_ ? data_[at_++] : 0; }
  std::uint32_t next32() {
    std::uint32_t v = 0;
    for (int k = 0; k < 4; ++k) v |= static_cast<std::uint32_t>(next()) << (8 * k);
    return v;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

// Steps of 1/32 (so equal stretches, and hence r = 1, come easily) and the
// values that break arithmetic.
float smallValue(std::uint8_t b) {
  constexpr float kSpecial[] = {std::numeric_limits<float>::quiet_NaN(),
                                std::numeric_limits<float>::infinity(),
                                -std::numeric_limits<float>::infinity(),
                                -0.0f,
                                std::numeric_limits<float>::max(),
                                -std::numeric_limits<float>::max(),
                                std::numeric_limits<float>::denorm_min(),
                                1e30f};
  if (b < 8) return kSpecial[b];
  return static_cast<float>(static_cast<int>(b) - 128) / 32.0f;
}

// The same bits; of two NaNs only that both are NaN: a NaN made by 0/0 and one
// carried over from the data differ in sign, which nothing can show (every
// NaN is written "NaN" and compares alike).
bool sameBits(float a, float b) {
  if (std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b)) return true;
  if (std::isnan(a) && std::isnan(b)) return true;
  std::fprintf(stderr, "bits differ: %08x (%g) and %08x (%g)\n", std::bit_cast<std::uint32_t>(a), static_cast<double>(a),
               std::bit_cast<std::uint32_t>(b), static_cast<double>(b));
  return false;
}

bool sameTable(const match::PlacementTable& a, const match::PlacementTable& b) {
  if (a.count != b.count) return false;
  for (int k = 0; k < a.count; ++k) {
    const auto i = static_cast<std::size_t>(k);
    if (a.lastRingFirst[i] != b.lastRingFirst[i] || a.lastRingSecond[i] != b.lastRingSecond[i] ||
        a.overlap[i] != b.overlap[i] || !sameBits(a.correlation[i], b.correlation[i]) ||
        !sameBits(a.tStatistic[i], b.tStatistic[i]))
      return false;
  }
  return true;
}

bool sameBest(const match::BestThree& a, const match::BestThree& b) {
  if (a.star != b.star) return false;
  for (std::size_t k = 0; k < a.slots.size(); ++k) {
    const match::Slot& x = a.slots[k];
    const match::Slot& y = b.slots[k];
    if (!sameBits(x.tStatistic, y.tStatistic) || !sameBits(x.correlation, y.correlation) ||
        x.lastRingFirst != y.lastRingFirst || x.lastRingSecond != y.lastRingSecond || x.overlap != y.overlap)
      return false;
  }
  return true;
}

void checkPlacements(const match::PlacementTable& table, int len1, int len2) {
  check(table.count == match::placementCount(len1, len2), "a placement count other than the rule's");
  check(table.count >= 0 && table.count <= match::kPlacementRoom, "placements beyond the table's room");
  for (int k = 0; k < table.count; ++k) {
    const int m = table.overlap[static_cast<std::size_t>(k)];
    check(m >= match::kMinOverlap && m <= std::min(len1, len2), "an overlap under 50 rings or longer than a series");
  }
}

// Numbers never widen or narrow a line: the same pair with plain numbers
// gives lines of the same number of columns.
void checkLines(const match::MatchSeries& first, const match::MatchSeries& second, const match::BestThree& best) {
  const match::BestThree plain{};
  const records::Record pair = match::pairLine(first, second, best);
  const records::Record progress = match::progressLine(first, second, best);
  check(pair.columns() == match::pairLine(first, second, plain).columns(), "a pair line out of its columns");
  check(progress.columns() == match::progressLine(first, second, plain).columns(), "a progress line out of its columns");
  check(isValidUtf8(pair.str()) && isValidUtf8(progress.str()), "a pair line that is not valid UTF-8");
}

}  // namespace
}  // namespace veska::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace veska;
  fuzz::Bytes in(data, size);
  const bool raw = in.next() & 1;
  const int len1 = 1 + in.next();  // a series has at least one value
  const int len2 = 1 + in.next();
  const auto first1 = static_cast<std::int32_t>(in.next32());
  const auto first2 = static_cast<std::int32_t>(in.next32());
  std::vector<float> x1(static_cast<std::size_t>(len1)), x2(static_cast<std::size_t>(len2));
  for (std::vector<float>* series : {&x1, &x2})
    for (float& v : *series) v = raw ? std::bit_cast<float>(in.next32()) : fuzz::smallValue(in.next());

  static const std::unique_ptr<match::MatchWork> work = match::makeMatchWork();
  const match::PairSeries s1{x1, first1};
  const match::PairSeries s2{x2, first2};

  const match::MatchSeries m1{s1, U"FIRST 1 ", 1};
  const match::MatchSeries m2{s2, U"ZWEITE\u00E92", 2};
  const match::BestThree direct = match::searchPair(s1, s2, *work, match::MatchRoutine::Direct, match::Isa::Sse2);
  fuzz::checkPlacements(work->table, len1, len2);
  static match::PlacementTable reference;
  reference = work->table;
  for (const match::Isa isa : match::kernelIsas()) {
    if (!match::isaSupported(isa)) continue;
    const match::BestThree fast = match::searchPair(s1, s2, *work, match::MatchRoutine::Fast, isa);
    fuzz::check(fuzz::sameTable(work->table, reference), "the fast routine's placements differ from the direct one's");
    fuzz::check(fuzz::sameBest(fast, direct), "the fast routine's best three differ from the direct one's");
    fuzz::check(match::pairLine(m1, m2, fast).str() == match::pairLine(m1, m2, direct).str(),
                "the fast routine's report line differs from the direct one's");
  }
  for (const match::Slot& slot : direct.slots)
    fuzz::check(!std::isnan(slot.tStatistic), "a NaN placement took a slot");
  fuzz::checkLines(m1, m2, direct);
  return 0;
}
