// The break check: a planted missed or false ring is found with its shift
// near its place, a clean series is left alone, a weak pair cannot be
// checked, and the corrected series dates better than the faulty one.
#include "match/break_check.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "match/pair_break.h"
#include "stats/whitening.h"

namespace veska::match {
namespace {

// A reference of `length` years and a series sharing its signal from year
// `start` on, `rings` long, with the correlation about `r`; the series'
// values are ring widths, positive.
struct Pair {
  std::vector<float> reference;
  std::vector<float> series;
};

Pair makePair(unsigned seed, double r, int length = 400, int start = 60, int rings = 260) {
  std::mt19937 rng(seed);
  std::normal_distribution<double> normal;
  std::vector<double> signal(static_cast<std::size_t>(length));
  for (double& s : signal) s = normal(rng);
  Pair p;
  const double own = std::sqrt(1.0 / (r * r) - 1.0);
  for (int i = 0; i < length; ++i)
    p.reference.push_back(static_cast<float>(1.0 + 0.25 * (signal[static_cast<std::size_t>(i)] + 0.3 * normal(rng))));
  for (int j = 0; j < rings; ++j)
    p.series.push_back(static_cast<float>(
        std::exp(0.3 * (signal[static_cast<std::size_t>(start + j)] + own * normal(rng)) / (1.0 + own))));
  return p;
}

std::vector<float> whitened(std::vector<float> values) {
  stats::WhiteningWork work(static_cast<int>(values.size()));
  stats::whiten(values, work);
  return values;
}

TEST(BreakCheck, FindsAPlantedMissedOrFalseRingNearItsPlaceAndLeavesCleanSeriesAlone) {
  struct Case {
    const char* name;
    int shift;  // 0: clean
  };
  for (const Case c : {Case{"missed ring", 1}, Case{"false ring", -1}, Case{"clean", 0}}) {
    SCOPED_TRACE(c.name);
    int flagged = 0;
    int rightAndNear = 0;
    for (unsigned seed = 1; seed <= 10; ++seed) {
      Pair p = makePair(seed, 0.6);
      const int at = 100 + static_cast<int>(seed) * 7;  // from 0
      int breakRing = 0;
      if (c.shift == 1) {
        p.series.erase(p.series.begin() + at);  // ring `at` absent: ring at + 1 (from 1) is the first one off
        breakRing = at + 1;
      } else if (c.shift == -1) {
        const float whole = p.series[static_cast<std::size_t>(at)];
        p.series[static_cast<std::size_t>(at)] = 0.4f * whole;
        p.series.insert(p.series.begin() + at + 1, 0.6f * whole);  // the false ring, at + 2 from 1
        breakRing = at + 2;
      }
      const BreakCheck check = searchForBreak(whitened(p.reference), whitened(p.series), 60);
      if (check.answer != CheckAnswer::Break) continue;
      ++flagged;
      if (check.shift == c.shift && std::abs(check.breakRing - breakRing) <= 5) ++rightAndNear;
      EXPECT_LT(check.breakP, kBreakFlagChance);
      EXPECT_LE(check.likelyFirst, check.breakRing);
      EXPECT_GE(check.likelyLast, check.breakRing);
    }
    if (c.shift == 0) {
      EXPECT_LE(flagged, 1);
    } else {
      EXPECT_GE(rightAndNear, 9);
    }
  }
}

TEST(BreakCheck, AWeakPairCannotBeChecked) {
  const Pair p = makePair(3, 0.15);
  EXPECT_EQ(searchForBreak(whitened(p.reference), whitened(p.series), 60).answer, CheckAnswer::CannotCheck);
  // Too short an overlap for two parts of 30 pairs.
  const Pair shortPair = makePair(4, 0.8, 400, 60, 55);
  EXPECT_EQ(searchForBreak(whitened(shortPair.reference), whitened(shortPair.series), 60).answer,
            CheckAnswer::CannotCheck);
}

TEST(BreakCheck, CorrectionInsertsAnAbsentRingOrMergesAFalseOne) {
  struct Case {
    int ring;
    int shift;
    input::ValueUnit unit;
    std::vector<float> expected;
  };
  const std::vector<float> values = {1.0f, 2.0f, 3.0f, 4.0f, 5.0f};
  const std::vector<Case> cases = {
      {3, 1, input::ValueUnit::Hundredths, {1, 2, 0, 3, 4, 5}},
      {1, 2, input::ValueUnit::Hundredths, {0, 0, 1, 2, 3, 4, 5}},
      {3, -1, input::ValueUnit::Hundredths, {1, 5, 4, 5}},
      {3, -2, input::ValueUnit::Hundredths, {1, 9, 5}},
      {3, -1, input::ValueUnit::IndexThousandths, {1, 2.5f, 4, 5}},
      {1, -1, input::ValueUnit::Hundredths, {1, 2, 3, 4, 5}},  // nothing before ring 1 to merge with
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("ring " + std::to_string(c.ring) + " shift " + std::to_string(c.shift));
    EXPECT_EQ(correctedValues(values, c.ring, c.shift, c.unit), c.expected);
  }
}

TEST(BreakCheck, ThePairCheckAsksOnlyDatedPairsAndItsCorrectionDatesBetter) {
  Pair p = makePair(5, 0.6);
  p.series.erase(p.series.begin() + 140);
  RunSeries first;
  first.firstYear = 1001;
  first.asRead = p.reference;
  first.compared = whitened(p.reference);
  RunSeries second;
  second.firstYear = 1;
  second.asRead = p.series;
  second.compared = whitened(p.series);
  second.unit = input::ValueUnit::Hundredths;
  std::unique_ptr<MatchWork> work = makeMatchWork();
  const BestThree best = searchPair({first.compared, first.firstYear}, {second.compared, second.firstYear}, *work,
                                    MatchRoutine::Fast, bestIsa());
  ASSERT_LT(best.trust.pChance[0], kCheckedBelowChance);
  const PairCheck found = checkPair(first, second, best);
  ASSERT_EQ(found.check.answer, CheckAnswer::Break);
  EXPECT_EQ(found.check.shift, 1);
  EXPECT_GT(found.correctedT, best.slots[0].tStatistic + 1.0f);

  BestThree weak = best;
  weak.trust.pChance[0] = 0.2;
  EXPECT_EQ(checkPair(first, second, weak).check.answer, CheckAnswer::CannotCheck);
  EXPECT_EQ(checkWord(checkPair(first, second, BestThree{}).check.answer), "");
}

}  // namespace
}  // namespace veska::match
