// A library search on a thread of its own, for a window that must stay
// responsive while thousands of files are read and searched: how far it is
// can be asked at any time, and it stops between two files or two
// references when asked to.
#pragma once

#include <atomic>
#include <cstddef>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>

#include "library/library.h"

namespace veska::library {

struct LibraryJobRequest {
  std::filesystem::path folder;
  std::filesystem::path undated;  // its layout decided from the file
  SpeciesFilter filter;
  MeasuredVariable variable = MeasuredVariable::RingWidth;  // only references of this variable
};

struct LibraryJobResult {
  std::shared_ptr<const Library> library;
  std::shared_ptr<const LibraryRun> run;
  // Why there is nothing to show, in a sentence: the undated file or the
  // folder cannot be read, or gives no series or no reference. Empty when
  // there is a result (or the job was stopped).
  std::string problem;
  bool stopped = false;
};

class LibraryJob {
 public:
  enum class Stage { ReadingUndated, ReadingLibrary, Searching, Finished };
  struct Progress {
    Stage stage = Stage::ReadingUndated;
    std::size_t done = 0;
    std::size_t total = 0;  // files, then references; 0 while not known
  };

  // Starts the search at once.
  explicit LibraryJob(LibraryJobRequest request);
  // Stops the search and waits for its thread.
  ~LibraryJob();
  LibraryJob(const LibraryJob&) = delete;
  LibraryJob& operator=(const LibraryJob&) = delete;

  Progress progress() const;
  bool finished() const { return finished_.load(std::memory_order_acquire); }
  void stop() { stop_.store(true); }
  // Once finished; empty before.
  const LibraryJobResult& result() const;

 private:
  void work(const LibraryJobRequest& request);
  bool report(Stage stage, std::size_t done, std::size_t total);

  std::atomic<int> stage_{0};
  std::atomic<std::size_t> done_{0};
  std::atomic<std::size_t> total_{0};
  std::atomic<bool> stop_{false};
  std::atomic<bool> finished_{false};
  LibraryJobResult result_;
  LibraryJobResult none_;
  std::thread thread_;
};

}  // namespace veska::library
