#include "match/pair_pipeline.h"

#include <algorithm>
#include <system_error>

namespace veska::match {

PairPipeline::PairPipeline(std::vector<PairSeries> series, std::vector<PairJob> jobs, Isa isa, unsigned threads,
                           bool withTrust)
    : series_(std::move(series)),
      jobs_(std::move(jobs)),
      isa_(isa),
      withTrust_(withTrust),
      stats_(series_.size()),
      statsDone_(std::make_unique<std::once_flag[]>(series_.size())),
      results_(jobs_.size()),
      finished_(jobs_.size(), 0) {
  std::fegetenv(&environment_);
  if (jobs_.empty()) return;
  // Room for every series' statistics now, so that no worker allocates.
  for (std::size_t i = 0; i < series_.size(); ++i) {
    const std::size_t n = std::min<std::size_t>(series_[i].values.size(), input::kMaxLength);
    stats_[i].leadingMean.reserve(n + 1);
    stats_[i].leadingSquares.reserve(n + 1);
    stats_[i].trailingMean.reserve(n);
    stats_[i].trailingSquares.reserve(n);
  }
  const std::size_t wanted = std::min<std::size_t>(std::max(threads, 1u), jobs_.size());
  for (std::size_t t = 0; t < wanted; ++t) works_.push_back(makeMatchWork());
  for (const auto& w : works_) {
    try {
      threads_.emplace_back([this, work = w.get()] { this->work(*work); });
    } catch (const std::system_error&) {
      break;  // fewer workers, or none: result() then works on the caller's thread
    }
  }
}

PairPipeline::~PairPipeline() {
  stop_ = true;
  for (std::thread& t : threads_) t.join();
}

const StretchStats& PairPipeline::statsOf(std::size_t series, MatchWork& work) {
  std::call_once(statsDone_[series],
                 [&] { computeStretchStats(series_[series].values, isa_, work.scratch, stats_[series]); });
  return stats_[series];
}

BestThree PairPipeline::search(std::size_t index, MatchWork& work) {
  const PairJob& job = jobs_[index];
  return searchPairFast(series_[job.first], series_[job.second], statsOf(job.first, work), statsOf(job.second, work),
                        work, isa_, withTrust_);
}

void PairPipeline::work(MatchWork& work) {
  std::fesetenv(&environment_);
  while (!stop_) {
    const std::size_t k = next_.fetch_add(1);
    if (k >= jobs_.size()) return;
    const BestThree best = search(k, work);
    {
      const std::lock_guard lock(mutex_);
      results_[k] = best;
      finished_[k] = 1;
    }
    done_.notify_one();
  }
}

BestThree PairPipeline::result(std::size_t index) {
  if (threads_.empty()) return search(index, *works_.front());
  std::unique_lock lock(mutex_);
  done_.wait(lock, [&] { return finished_[index] != 0; });
  return results_[index];
}

}  // namespace veska::match
