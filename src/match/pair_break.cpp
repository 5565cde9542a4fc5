#include "match/pair_break.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "input/series.h"
#include "stats/whitening.h"

namespace veska::match {
namespace {

std::span<const float> comparedOf(const RunSeries& s) {
  return {s.compared.data(), std::min(s.compared.size(), static_cast<std::size_t>(input::kMaxLength))};
}

}  // namespace

int slotOffset(const Slot& slot, std::int32_t firstYearA, std::int32_t firstYearB) {
  return static_cast<int>((slot.lastRingFirst - firstYearA) - (slot.lastRingSecond - firstYearB));
}

PairCheck checkPair(const RunSeries& first, const RunSeries& second, const BestThree& best, bool withCorrectedT) {
  PairCheck out;
  out.correctedT = std::numeric_limits<float>::quiet_NaN();
  if (!slotFilled(best, 0) && !slotFilled(best, 1) && !slotFilled(best, 2)) return out;
  if (!slotFilled(best, 0) || !(best.trust.pChance[0] < kCheckedBelowChance)) {
    out.check.answer = CheckAnswer::CannotCheck;
    return out;
  }
  const int offset = slotOffset(best.slots[0], first.firstYear, second.firstYear);
  out.check = searchForBreak(comparedOf(first), comparedOf(second), offset);
  if (withCorrectedT && out.check.answer == CheckAnswer::Break) out.correctedT = correctedT(first, second, out.check);
  return out;
}

std::vector<float> correctedValues(std::span<const float> asRead, int breakRing, int shift, input::ValueUnit unit) {
  std::vector<float> out(asRead.begin(), asRead.end());
  const int n = static_cast<int>(out.size());
  if (breakRing < 1 || breakRing > n || shift == 0) return out;
  const auto at = static_cast<std::ptrdiff_t>(breakRing - 1);
  if (shift > 0) {
    out.insert(out.begin() + at, static_cast<std::size_t>(shift), 0.0f);
    return out;
  }
  const int merged = std::min(-shift, n - breakRing + 1);
  if (breakRing < 2) return out;
  double total = out[static_cast<std::size_t>(at - 1)];
  for (int k = 0; k < merged; ++k) total += out[static_cast<std::size_t>(at + k)];
  const bool index = unit == input::ValueUnit::IndexThousandths;
  out[static_cast<std::size_t>(at - 1)] = static_cast<float>(index ? total / (merged + 1) : total);
  out.erase(out.begin() + at, out.begin() + at + merged);
  return out;
}

float correctedT(const RunSeries& first, const RunSeries& second, const BreakCheck& check) {
  std::vector<float> values = correctedValues(second.asRead, check.breakRing, check.shift, second.unit);
  if (values.size() > static_cast<std::size_t>(input::kMaxLength)) values.resize(input::kMaxLength);
  stats::WhiteningWork whitening(static_cast<int>(values.size()));
  stats::whiten(values, whitening);
  std::unique_ptr<MatchWork> work = makeMatchWork();
  const PairSeries a{comparedOf(first), first.firstYear};
  const PairSeries b{std::span<const float>(values), second.firstYear};
  const BestThree best = searchPair(a, b, *work, MatchRoutine::Fast, bestIsa());
  return slotFilled(best, 0) ? best.slots[0].tStatistic : std::numeric_limits<float>::quiet_NaN();
}

}  // namespace veska::match
