// The library search on its own thread, as the window starts it: the
// samples dated, how far it went, and why there is nothing to show.
#include "library/library_job.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "support/test_support.h"

namespace veska::library {
namespace {

namespace fs = std::filesystem;

const fs::path kSamples = fs::path(VESKA_SOURCE_DIR) / "data";

const LibraryJobResult& finish(const LibraryJob& job) {
  for (int k = 0; k < 3000 && !job.finished(); ++k) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_TRUE(job.finished());
  return job.result();
}

TEST(LibraryJob, DatesTheSamplesAndSaysWhyWhenItCannot) {
  test::TempDir dir;
  fs::create_directory(dir.file("library"));
  fs::copy_file(kSamples / "dated.rwl", dir.file("library") / "dated.rwl");
  fs::create_directory(dir.file("empty"));
  test::writeFile(dir.file("empty") / "notes.txt", "Cores taken in May.\n");

  LibraryJob job({dir.file("library"), kSamples / "undated.rwl", SpeciesFilter()});
  const LibraryJobResult& done = finish(job);
  ASSERT_TRUE(done.problem.empty()) << done.problem;
  ASSERT_EQ(done.run->judgements.size(), 5u);
  EXPECT_EQ(done.run->judgements[0].best()->outcome.endYear, 1847);
  EXPECT_FALSE(done.stopped);
  EXPECT_EQ(job.progress().stage, LibraryJob::Stage::Finished);

  const std::pair<LibraryJobRequest, std::string> failures[] = {
      {{dir.file("library"), dir.file("gone.rwl"), SpeciesFilter()},
       "The undated file " + dir.file("gone.rwl").string() + " cannot be read: No such file or directory."},
      {{dir.file("empty"), kSamples / "undated.rwl", SpeciesFilter()},
       "No reference read from " + dir.file("empty").string() + ".\nnotes.txt: no series read"},
      {{dir.file("library"), kSamples / "undated.rwl", *SpeciesFilter::parse("QU")},
       "No reference read from " + dir.file("library").string() + ".\n1 of other species left out by QU"},
  };
  for (const auto& [request, problem] : failures) {
    LibraryJob failing(request);
    const LibraryJobResult& result = finish(failing);
    EXPECT_EQ(result.problem, problem);
    EXPECT_EQ(result.run, nullptr);
  }
}

}  // namespace
}  // namespace veska::library
