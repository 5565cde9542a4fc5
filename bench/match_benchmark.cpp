// The pair match on generated series: the direct routine against the fast
// one at each instruction set this processor supports, one pair at a time on
// one thread (the run adds a second level of speed by matching pairs on
// every core); and the match phase of whole collections (the real file of
// 100 series when the shared data is there, generated ones) with and without
// the pairs' trust (p_chance, margin, verdict), side by side.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "dialogue/run_driver.h"
#include "match/pair_evidence.h"
#include "match/pair_match.h"
#include "match/pair_pipeline.h"
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

// A collection: `firsts` series of `firstLength` rings against `seconds` of
// `secondLength`, or, without firsts, the seconds among themselves; or
// (seconds 0) the real file of 100 series of the shared data, matched among
// themselves.
struct Collection {
  int firsts;
  int firstLength;
  int seconds;
  int secondLength;
};

constexpr const char* kRealCollection = "morc018_cdat_atlas_100ser_rwl.rwl";

// A whole run of the dialogue on a ring-width file of undated series, its
// report in a temporary folder: the series as the match compared them.
std::optional<std::vector<std::vector<float>>> comparedSeriesOf(const std::filesystem::path& file) {
  struct Answers : runtime::Console {
    std::vector<std::string> lines;
    std::size_t next = 0;
    bool write(std::string_view) override { return true; }
    std::optional<std::string> readLine(std::size_t) override {
      if (next < lines.size()) return lines[next++];
      return std::nullopt;
    }
    void yield() override {}
    void terminate(int) override {}
  } console;
  console.lines = {file.string(), "M", "N", ""};
  struct Keep : dialogue::RunObserver {
    std::vector<std::vector<float>> compared;
    void matchPhaseWritten(const RunRecord& run) override {
      for (const RunSeries& s : run.undated) compared.push_back(s.compared);
    }
  } keep;
  const std::filesystem::path home = std::filesystem::current_path();
  std::string folder = (std::filesystem::temp_directory_path() / "veska-bench-XXXXXX").string();
  if (!::mkdtemp(folder.data())) return std::nullopt;
  std::filesystem::current_path(folder);
  runtime::Runtime rt(console);
  const int status = rt.execute([&](runtime::Runtime& r) { dialogue::runCrossdating(r, &keep); });
  std::filesystem::current_path(home);
  std::filesystem::remove_all(folder);
  if (status != 0 || keep.compared.empty()) return std::nullopt;
  return keep.compared;
}

// The shared real data beside the checkout (or a checkout nested one level
// deeper), as the tests find it.
std::optional<std::filesystem::path> realFile(const char* name) {
  for (std::filesystem::path p = VESKA_SOURCE_DIR; p.has_relative_path(); p = p.parent_path()) {
    const std::filesystem::path file = p.parent_path() / "shared" / "data" / "real" / name;
    if (std::filesystem::is_regular_file(file)) return file;
  }
  return std::nullopt;
}

// Every pair of a collection through the match phase's pipeline, on one
// worker (the run spreads the same work over every core), with or without
// the trust; the stretch statistics are formed inside, as in a run. Timed by
// the processor time of the whole process, the worker's included, which a
// machine shared with other jobs disturbs less than the wall clock.
void matchPhase(benchmark::State& state, Collection c, bool withTrust) {
  std::vector<std::vector<float>> values;
  if (c.seconds == 0) {
    const auto file = realFile(kRealCollection);
    const auto compared = file ? comparedSeriesOf(*file) : std::nullopt;
    if (!compared) {
      state.SkipWithError("the shared real data files are not present beside the checkout");
      return;
    }
    values = *compared;
    c.seconds = static_cast<int>(values.size());
  }
  for (int i = static_cast<int>(values.size()); i < c.seconds; ++i)
    values.push_back(series(100 + static_cast<unsigned>(i), c.secondLength));
  for (int i = 0; i < c.firsts; ++i) values.push_back(series(900 + static_cast<unsigned>(i), c.firstLength));
  std::vector<PairSeries> all;
  for (const auto& v : values) all.push_back({v, 1});
  std::vector<PairJob> jobs;
  if (c.firsts > 0) {
    for (int i = 0; i < c.firsts; ++i)
      for (int j = 0; j < c.seconds; ++j)
        jobs.push_back({static_cast<std::size_t>(c.seconds + i), static_cast<std::size_t>(j)});
  } else {
    for (int i = 0; i < c.seconds; ++i)
      for (int j = i + 1; j < c.seconds; ++j)
        jobs.push_back({static_cast<std::size_t>(i), static_cast<std::size_t>(j)});
  }
  for (auto _ : state) {
    PairPipeline pipeline(all, jobs, bestIsa(), 1, withTrust);
    for (std::size_t k = 0; k < jobs.size(); ++k) benchmark::DoNotOptimize(pipeline.result(k));
  }
  state.counters["pairs"] = static_cast<double>(jobs.size());
}

void phaseTiming(benchmark::internal::Benchmark* b) { b->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond); }

constexpr Collection kReal100{0, 0, 0, 0};
constexpr Collection kUndated100x1000{0, 0, 100, 1000};
constexpr Collection kDated10x2000Against100x300{10, 2000, 100, 300};
constexpr Collection kUndated100x100{0, 0, 100, 100};

BENCHMARK_CAPTURE(matchPhase, morc018_100_series_without_trust, kReal100, false)->Apply(phaseTiming);
BENCHMARK_CAPTURE(matchPhase, morc018_100_series_with_trust, kReal100, true)->Apply(phaseTiming);
BENCHMARK_CAPTURE(matchPhase, undated_100x1000_without_trust, kUndated100x1000, false)->Apply(phaseTiming);
BENCHMARK_CAPTURE(matchPhase, undated_100x1000_with_trust, kUndated100x1000, true)->Apply(phaseTiming);
BENCHMARK_CAPTURE(matchPhase, dated_10x2000_vs_100x300_without_trust, kDated10x2000Against100x300, false)
    ->Apply(phaseTiming);
BENCHMARK_CAPTURE(matchPhase, dated_10x2000_vs_100x300_with_trust, kDated10x2000Against100x300, true)
    ->Apply(phaseTiming);
BENCHMARK_CAPTURE(matchPhase, undated_100x100_without_trust, kUndated100x100, false)->Apply(phaseTiming);
BENCHMARK_CAPTURE(matchPhase, undated_100x100_with_trust, kUndated100x100, true)->Apply(phaseTiming);

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
