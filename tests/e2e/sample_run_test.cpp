// The built terminal program run on the project's sample files with piped
// answers: every series read is listed in the report, to the column.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "support/console_run.h"
#include "support/test_support.h"

namespace veska::test {
namespace {

struct ProgramRun {
  int status = -1;
  std::string console;
  std::string report;
};

// Runs veska-console in the temporary directory with the answers piped in.
ProgramRun runWith(const TempDir& dir, const std::vector<std::string>& answers) {
  std::string input;
  for (const std::string& a : answers) input += a + "\n";
  const ConsoleRun run = runConsole(dir.path(), input);
  const auto report = dir.file("VESKA.OUT");
  return {run.status, run.output, std::filesystem::exists(report) ? readFile(report) : ""};
}

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> out;
  std::string::size_type from = 0;
  while (from < text.size()) {
    auto end = text.find('\n', from);
    if (end == std::string::npos) end = text.size();
    out.push_back(text.substr(from, end - from));
    from = end + 1;
  }
  return out;
}

// The listing lines that follow a heading, up to the next empty line.
std::vector<std::string> listing(const std::string& report, const std::string& heading) {
  const std::vector<std::string> all = lines(report);
  std::vector<std::string> out;
  for (std::size_t k = 0; k < all.size(); ++k) {
    if (all[k] != heading) continue;
    for (++k; k < all.size() && !all[k].empty(); ++k) out.push_back(all[k]);
    break;
  }
  return out;
}

// Columns 1-16 of a listing line: number in 2-6, identifier in 9-16.
std::string numberAndId(int number, const std::string& id) {
  char buf[32];
  std::snprintf(buf, sizeof buf, " %5d  %-8s", number, id.c_str());
  return buf;
}

void expectListing(const std::vector<std::string>& got, const std::vector<std::string>& ids) {
  ASSERT_EQ(got.size(), ids.size());
  for (std::size_t k = 0; k < ids.size(); ++k) {
    SCOPED_TRACE(got[k]);
    ASSERT_GE(got[k].size(), 19u) << "the order stands in columns 17-19";
    EXPECT_EQ(got[k].substr(0, 16), numberAndId(static_cast<int>(k + 1), ids[k]));
  }
}

std::string sample(const char* name) { return std::string(VESKA_SOURCE_DIR) + "/data/" + name; }

TEST(SampleRun, ListsTheUndatedAndDatedRingWidthSeries) {
  TempDir dir;
  const ProgramRun run = runWith(dir, {sample("undated.rwl"), "M", "Y", sample("dated.rwl"), "m", ""});
  EXPECT_EQ(run.status, 0) << run.console;
  expectListing(listing(run.report, "  UNDATED TREE-RING SERIES:"),
                {"FLT101", "FLT102", "FLT103", "FLT104", "FLT105"});
  expectListing(listing(run.report, "  DATED TREE-RING SERIES:"), {"VSK01A", "VSK02A", "VSK03B", "VSK04A", "VSK05C"});
  // The titles go to the console, never to the report.
  EXPECT_NE(run.console.find(" Title of data:\n Floating samples of a made-up beam"), std::string::npos);
  EXPECT_EQ(run.report.find("Title"), std::string::npos);
}

TEST(SampleRun, ListsIndexAndFormatDrivenSeries) {
  struct Row {
    const char* file;
    const char* answer;
    std::vector<std::string> ids;
  };
  const Row rows[] = {
      {"index.crn", "I", {"VSKSTD", "VSKRES"}},
      {"formatted.dat", "M", {"FLT101", "FLT102", "FLT104"}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.file);
    TempDir dir;
    const ProgramRun run = runWith(dir, {sample(r.file), r.answer, "N", ""});
    EXPECT_EQ(run.status, 0) << run.console;
    expectListing(listing(run.report, "  UNDATED TREE-RING SERIES:"), r.ids);
    EXPECT_TRUE(listing(run.report, "  DATED TREE-RING SERIES:").empty());
  }
}

TEST(SampleRun, TooManySeriesStopTheRunWithStatusThree) {
  TempDir dir;
  std::string file;
  for (int k = 1; k <= 1001; ++k) {
    char line[64];
    std::snprintf(line, sizeof line, "S%-7d1990   100   999\n", k);
    file += line;
  }
  writeFile(dir.file("many.rwl"), file);
  const ProgramRun run = runWith(dir, {"many.rwl", "M", ""});
  EXPECT_EQ(run.status, 3) << run.console;
  EXPECT_NE(run.console.find("\n    *** Number of series exceeds maximum allowed: 1000 ***\n"), std::string::npos)
      << run.console;
  EXPECT_EQ(run.report, "") << "nothing reaches the report on a limit stop";
}

}  // namespace
}  // namespace veska::test
