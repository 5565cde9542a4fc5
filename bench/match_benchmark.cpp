// The pair match on generated series: the direct routine against the fast
// one at each instruction set this processor supports, one pair at a time on
// one thread (the run adds a second level of speed by matching pairs on
// every core).
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "match/pair_match.h"
#include "match/stretch_stats.h"

namespace veska::match {
namespace {

std::vector<float> series(unsigned seed, int n) {
  std::mt19937 rng(seed);
  std::normal_distribution<float> normal(0.0f, 1.0f);
  std::vector<float> v(static_cast<std::size_t>(n));
  for (float& x : v) x = normal(rng);
  return v;
}

// One pair. The fast routine's stretch statistics are formed once per series
// in a run, not once per pair, so they are formed before the timing here and
// timed apart below.
void pairMatch(benchmark::State& state, MatchRoutine routine, Isa isa) {
  if (!isaSupported(isa)) {
    state.SkipWithError("instruction set not supported here");
    return;
  }
  const int len1 = static_cast<int>(state.range(0));
  const int len2 = static_cast<int>(state.range(1));
  const std::vector<float> x1 = series(1, len1);
  const std::vector<float> x2 = series(2, len2);
  const PairSeries first{x1, 1000};
  const PairSeries second{x2, 1};
  auto work = makeMatchWork();
  computeStretchStats(x1, isa, work->scratch, work->stats.first);
  computeStretchStats(x2, isa, work->scratch, work->stats.second);
  for (auto _ : state) {
    const BestThree best = routine == MatchRoutine::Direct
                               ? searchPair(first, second, *work, routine, isa)
                               : searchPairFast(first, second, work->stats.first, work->stats.second, *work, isa);
    benchmark::DoNotOptimize(best);
  }
  state.counters["placements"] = placementCount(len1, len2);
}

void stretchStats(benchmark::State& state, Isa isa) {
  if (!isaSupported(isa)) {
    state.SkipWithError("instruction set not supported here");
    return;
  }
  const std::vector<float> x = series(3, static_cast<int>(state.range(0)));
  auto work = makeMatchWork();
  for (auto _ : state) {
    computeStretchStats(x, isa, work->scratch, work->stats.first);
    benchmark::DoNotOptimize(work->stats.first.leadingSquares.data());
  }
}

void pairSizes(benchmark::internal::Benchmark* b) {
  b->Args({1000, 1000})->Args({2000, 300})->Args({300, 2000})->Args({5000, 5000})->Unit(benchmark::kMicrosecond);
}

BENCHMARK_CAPTURE(pairMatch, direct, MatchRoutine::Direct, Isa::Sse2)->Apply(pairSizes);
BENCHMARK_CAPTURE(pairMatch, fast_sse2, MatchRoutine::Fast, Isa::Sse2)->Apply(pairSizes);
BENCHMARK_CAPTURE(pairMatch, fast_avx2, MatchRoutine::Fast, Isa::Avx2)->Apply(pairSizes);
BENCHMARK_CAPTURE(pairMatch, fast_avx512, MatchRoutine::Fast, Isa::Avx512)->Apply(pairSizes);
BENCHMARK_CAPTURE(stretchStats, sse2, Isa::Sse2)->Arg(1000)->Arg(5000)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(stretchStats, avx512, Isa::Avx512)->Arg(1000)->Arg(5000)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace veska::match

BENCHMARK_MAIN();
