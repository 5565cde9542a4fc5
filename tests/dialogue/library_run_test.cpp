// Dating against a library on the console: the project's own samples come
// back to their true years in words and in the ranked table, and every way
// a library run can fail says why with its status.
#include "dialogue/library_run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>

#include "support/test_support.h"

namespace veska::dialogue {
namespace {

namespace fs = std::filesystem;

const fs::path kSamples = fs::path(VESKA_SOURCE_DIR) / "data";

struct Ended {
  int status = -1;
  std::string console;
};

Ended run(const LibraryRequest& request) {
  test::ScriptedConsole console;
  runtime::Runtime rt(console);
  Ended ended;
  ended.status = rt.execute([&](runtime::Runtime& r) { runLibraryDating(r, request); });
  ended.console = console.output;
  return ended;
}

// A library of the sample site's dated trees (one site mean) and its two
// index chronologies, with a note that is no tree-ring file.
fs::path sampleLibrary(const test::TempDir& dir) {
  const fs::path folder = dir.file("library");
  fs::create_directory(folder);
  fs::copy_file(kSamples / "dated.rwl", folder / "dated.rwl");
  fs::copy_file(kSamples / "index.crn", folder / "index.crn");
  test::writeFile(folder / "notes.txt", "Cores taken in May.\n");
  return folder;
}

TEST(LibraryRun, TheSamplesComeBackToTheirTrueYearsInWordsAndInTheTable) {
  test::TempDir dir;
  LibraryRequest request;
  request.folder = sampleLibrary(dir).string();
  request.undated = (kSamples / "undated.rwl").string();
  request.table = "ranked.csv";
  std::vector<std::pair<LibraryStage, std::size_t>> told;
  request.progress = [&](LibraryStage stage, std::size_t done, std::size_t) { told.emplace_back(stage, done); };
  const Ended ended = run(request);
  ASSERT_EQ(ended.status, runtime::kExitNormal) << ended.console;

  EXPECT_NE(ended.console.find(" Not read: notes.txt: no series read"), std::string::npos) << ended.console;
  EXPECT_NE(ended.console.find("   Dated: its last ring in 1847, library p "), std::string::npos) << ended.console;
  // Three files read, then the references searched, in order.
  ASSERT_GE(told.size(), 4u);
  EXPECT_EQ(told[2], std::make_pair(LibraryStage::Reading, std::size_t{3}));
  EXPECT_EQ(told.back().first, LibraryStage::Searching);

  // The true last year of each floating sample (scripts/make-sample-data.py).
  const std::map<std::string, std::string> truth = {
      {"FLT101", "1847"}, {"FLT102", "1929"}, {"FLT103", "1960"}, {"FLT104", "1769"}, {"FLT105", "1944"}};
  std::istringstream table(test::readFile("ranked.csv"));
  std::string line;
  std::getline(table, line);
  EXPECT_EQ(line, "series,rank,reference,species,latitude,longitude,distance_km,"
                  "overlap,end_year,t,p_chance,library_p,verdict");
  int rows = 0;
  while (std::getline(table, line)) {
    ++rows;
    std::vector<std::string> cells;
    std::istringstream fields(line);
    for (std::string cell; std::getline(fields, cell, ',');) cells.push_back(cell);
    if (line.back() == ',') cells.emplace_back();
    ASSERT_EQ(cells.size(), 13u) << line;
    const auto true_year = truth.find(cells[0]);
    if (cells[1] != "1" || true_year == truth.end()) continue;
    SCOPED_TRACE(line);
    EXPECT_EQ(cells[8], true_year->second);
    EXPECT_EQ(cells[12], "dated");
  }
  EXPECT_EQ(rows, 5 * 3);  // five samples, three references each
}

TEST(LibraryRun, EveryFailureSaysWhyWithItsStatus) {
  test::TempDir dir;
  const fs::path library = sampleLibrary(dir);
  const fs::path empty = dir.file("empty");
  fs::create_directory(empty);
  test::writeFile(empty / "notes.txt", "Cores taken in May.\n");
  const std::string undated = (kSamples / "undated.rwl").string();
  struct Case {
    const char* what;
    std::string folder, undated;
    std::optional<std::string> table;
    int status;
    std::string says;
  };
  const Case cases[] = {
      {"a folder without a reference", empty.string(), undated, std::nullopt, runtime::kExitDataLimit,
       " Not read: notes.txt: no series read\r\n\r\n    *** No reference read from " + empty.string() + " ***"},
      {"no folder", dir.file("none").string(), undated, std::nullopt, runtime::kExitIoFailure,
       " *** Cannot read " + dir.file("none").string() + ": No such file or directory ***"},
      {"an undated file without series", library.string(), "notes.rwl", std::nullopt, runtime::kExitDataLimit,
       "    *** No series read from notes.rwl ***"},
      {"no undated file", library.string(), "gone.rwl", std::nullopt, runtime::kExitIoFailure,
       " *** Cannot open gone.rwl: No such file or directory ***"},
      {"the table over the undated file", library.string(), "copy.rwl", "copy.rwl", runtime::kExitIoFailure,
       " *** Cannot write copy.rwl: It is the file of undated series ***"},
      {"the table in the library", library.string(), undated, (library / "t.csv").string(), runtime::kExitIoFailure,
       " *** Cannot write " + (library / "t.csv").string() + ": It would lie in the library folder ***"},
  };
  fs::copy_file(undated, "copy.rwl");
  test::writeFile("notes.rwl", "Cores taken in May.\n");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    LibraryRequest request;
    request.folder = c.folder;
    request.undated = c.undated;
    request.table = c.table;
    const Ended ended = run(request);
    EXPECT_EQ(ended.status, c.status);
    EXPECT_NE(ended.console.find(c.says), std::string::npos) << ended.console;
  }
  // A refused table is refused before anything is read or written.
  EXPECT_EQ(test::readFile("copy.rwl"), test::readFile(undated));
  EXPECT_FALSE(fs::exists(library / "t.csv"));
}

}  // namespace
}  // namespace veska::dialogue
