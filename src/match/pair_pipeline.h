// Pair matches computed on worker threads ahead of the one thread that writes
// them. Each pair's search runs wholly on one worker, with that worker's own
// tables; the stretch statistics of a series are formed once, by whichever
// worker needs them first, and only read after that. So no result depends on
// which worker took a pair or when. Workers take pairs in order, and the
// writer asks for them in order.
#pragma once

#include <atomic>
#include <cfenv>
#include <condition_variable>
#include <cstddef>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "match/pair_match.h"
#include "match/stretch_stats.h"

namespace veska::match {

// A pair by the indices of its two series in the pipeline's series list.
struct PairJob {
  std::size_t first = 0;
  std::size_t second = 0;
};

class PairPipeline {
 public:
  // Starts up to `threads` workers (at least one is tried); when none can be
  // started, result() computes each pair on the calling thread instead.
  // Without `withTrust` the pairs' trust is left out (for timing its cost).
  PairPipeline(std::vector<PairSeries> series, std::vector<PairJob> jobs, Isa isa, unsigned threads,
               bool withTrust = true);
  // Stops the workers after their current pair and joins them, so a run that
  // ends in the middle of the phase leaves no thread behind.
  ~PairPipeline();
  PairPipeline(const PairPipeline&) = delete;
  PairPipeline& operator=(const PairPipeline&) = delete;

  // The best three of pair `index`, waiting for it when it is not done yet.
  BestThree result(std::size_t index);

 private:
  void work(MatchWork& work);
  BestThree search(std::size_t index, MatchWork& work);
  const StretchStats& statsOf(std::size_t series, MatchWork& work);

  const std::vector<PairSeries> series_;
  const std::vector<PairJob> jobs_;
  const Isa isa_;
  const bool withTrust_;
  std::fenv_t environment_;  // the run's floating-point environment, for every worker
  std::vector<StretchStats> stats_;
  std::unique_ptr<std::once_flag[]> statsDone_;
  std::atomic<std::size_t> next_{0};
  std::atomic<bool> stop_{false};
  std::mutex mutex_;
  std::condition_variable done_;
  std::vector<BestThree> results_;  // guarded by mutex_
  std::vector<char> finished_;      // guarded by mutex_
  std::vector<std::unique_ptr<MatchWork>> works_;
  std::vector<std::thread> threads_;
};

}  // namespace veska::match
