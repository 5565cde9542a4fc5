// The fast routine against the direct one: every placement's r and t must
// carry the same bits, at every instruction set this processor supports.
#include <gtest/gtest.h>

#include <functional>

#include "match/pair_match.h"
#include "match/placements.h"
#include "match/match_fixtures.h"

namespace veska::match {
namespace {

using test::arithmeticNaN;
using test::randomSeries;
using test::sameBits;

struct PairCase {
  std::string name;
  std::vector<float> first;
  std::vector<float> second;
};

std::vector<Isa> supportedIsas() {
  std::vector<Isa> isas;
  for (Isa isa : kernelIsas())
    if (isaSupported(isa)) isas.push_back(isa);
  return isas;
}

// Compares whole tables and stops at the first placement that differs.
void expectSameTables(const PlacementTable& direct, const PlacementTable& fast) {
  ASSERT_EQ(direct.count, fast.count);
  for (int k = 0; k < direct.count; ++k) {
    const auto at = static_cast<std::size_t>(k);
    SCOPED_TRACE("placement " + std::to_string(k + 1));
    ASSERT_EQ(direct.overlap[at], fast.overlap[at]);
    ASSERT_EQ(direct.lastRingFirst[at], fast.lastRingFirst[at]);
    ASSERT_EQ(direct.lastRingSecond[at], fast.lastRingSecond[at]);
    ASSERT_TRUE(sameBits(direct.correlation[at], fast.correlation[at]))
        << direct.correlation[at] << " vs " << fast.correlation[at];
    ASSERT_TRUE(sameBits(direct.tStatistic[at], fast.tStatistic[at]))
        << direct.tStatistic[at] << " vs " << fast.tStatistic[at];
  }
}

void checkIdentity(const std::vector<PairCase>& cases) {
  auto direct = makeMatchWork();
  auto fast = makeMatchWork();
  for (const PairCase& c : cases) {
    SCOPED_TRACE(c.name + " (" + std::to_string(c.first.size()) + " x " + std::to_string(c.second.size()) + ")");
    const PairSeries first{c.first, 1700};
    const PairSeries second{c.second, -25};
    fillPlacementsDirect(first, second, direct->table);
    for (Isa isa : supportedIsas()) {
      SCOPED_TRACE(isaName(isa));
      fillPlacements(first, second, fast->table, MatchRoutine::Fast, isa, fast->scratch, fast->stats);
      expectSameTables(direct->table, fast->table);
      if (::testing::Test::HasFatalFailure()) return;
    }
  }
}

TEST(FastIdentity, RandomSeriesOfManyLengths) {
  std::mt19937 rng(20240611);
  std::vector<PairCase> cases;
  for (auto [n1, n2] : {std::pair{1000, 1000}, {300, 2000}, {2000, 300}, {777, 779}, {5000, 137}})
    cases.push_back({"random", randomSeries(rng, n1), randomSeries(rng, n2)});
  // Every block boundary of every lane width: lengths around 50 and around
  // multiples of 2, 4, 8 and 32 lanes.
  for (int n1 : {0, 1, 2, 3, 49, 50, 51, 52, 53, 57, 81, 82, 83, 114, 115, 116, 150})
    for (int n2 : {0, 1, 2, 3, 48, 49, 50, 51, 52, 58, 80, 81, 82, 113, 114, 150})
      cases.push_back({"short", randomSeries(rng, n1), randomSeries(rng, n2)});
  checkIdentity(cases);
}

TEST(FastIdentity, LongestPairFillsTheWholeRoom) {
  std::mt19937 rng(5);
  checkIdentity({{"longest", randomSeries(rng, 5000), randomSeries(rng, 5000)}});
}

TEST(FastIdentity, ConstantAndIdenticalStretches) {
  std::mt19937 rng(7);
  std::vector<PairCase> cases;
  cases.push_back({"both constant", std::vector<float>(120, 2.5f), std::vector<float>(90, -1.0f)});
  cases.push_back({"all zero", std::vector<float>(70, 0.0f), std::vector<float>(200, 0.0f)});

  std::vector<float> flat = randomSeries(rng, 300);
  std::fill(flat.begin() + 100, flat.begin() + 220, 0.75f);  // a constant stretch longer than 50
  cases.push_back({"constant stretch", flat, randomSeries(rng, 260)});
  cases.push_back({"constant stretch second", randomSeries(rng, 180), flat});

  // The second series holds a copy of part of the first: r = 1, t infinite.
  const std::vector<float> base = randomSeries(rng, 400);
  std::vector<float> copy = randomSeries(rng, 500);
  std::copy(base.begin() + 40, base.begin() + 240, copy.begin() + 133);
  cases.push_back({"identical stretch", base, copy});
  cases.push_back({"identical stretch reversed roles", copy, base});
  cases.push_back({"same series", base, base});
  std::vector<float> negated = base;
  for (float& v : negated) v = -v;
  cases.push_back({"negated series", base, negated});
  checkIdentity(cases);
}

TEST(FastIdentity, NaNInfiniteAndExtremeValues) {
  std::mt19937 rng(11);
  const float inf = std::numeric_limits<float>::infinity();
  std::vector<PairCase> cases;
  std::vector<float> holes = randomSeries(rng, 400);
  holes[0] = arithmeticNaN();
  holes[170] = arithmeticNaN();
  holes[399] = arithmeticNaN();
  cases.push_back({"NaN values", holes, randomSeries(rng, 350)});
  cases.push_back({"NaN values second", randomSeries(rng, 350), holes});
  cases.push_back({"NaN in both", holes, holes});

  std::vector<float> infinite = randomSeries(rng, 300);
  infinite[60] = inf;
  infinite[250] = -inf;
  cases.push_back({"infinite values", infinite, randomSeries(rng, 330)});
  cases.push_back({"infinite values second", randomSeries(rng, 120), infinite});

  std::vector<float> extreme = randomSeries(rng, 260);
  for (std::size_t i = 0; i < extreme.size(); i += 3) extreme[i] *= 3e38f;  // squares overflow single
  for (std::size_t i = 1; i < extreme.size(); i += 7) extreme[i] = 1e-42f;  // subnormal
  for (std::size_t i = 2; i < extreme.size(); i += 11) extreme[i] = -0.0f;
  cases.push_back({"extreme values", extreme, randomSeries(rng, 240)});
  cases.push_back({"extreme values both", extreme, extreme});
  checkIdentity(cases);
}

}  // namespace
}  // namespace veska::match
