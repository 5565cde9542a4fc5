// The built terminal program driven answer by answer through pipes: what its
// report holds on disk at every prompt, what a stop signal leaves behind, and
// a second run started in the same folder while one is running.
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "input/input_fixture.h"
#include "support/console_run.h"
#include "support/test_support.h"
#include "support/transcript_texts.h"

namespace veska::test {
namespace {

using input::testing::rwSeries;

const std::string kIncomplete = " *** Run stopped before its end: this report is incomplete ***\n";
const std::string kClosingPause = "Normal Termination of Program- Hit return to Quit\n";

std::vector<int> widths(int n, std::uint32_t seed) {
  std::vector<int> out;
  for (int k = 0; k < n; ++k) {
    seed = seed * 1664525u + 1013904223u;
    out.push_back(50 + static_cast<int>(seed >> 8) % 251);
  }
  return out;
}

std::string series(int count, const std::string& prefix, std::uint32_t seed) {
  std::string out;
  for (int k = 1; k <= count; ++k) out += rwSeries(prefix + std::to_string(k), 1900, widths(70, seed + k));
  return out;
}

std::string report(const TempDir& dir) { return readFile(dir.file("VESKA.OUT")); }

std::size_t lineCount(const std::string& text) { return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')); }

TEST(ReportOnDisk, HoldsEveryRecordWrittenWhenTheNextPromptShows) {
  TempDir dir;
  writeFile(dir.file("data.rwl"), series(3, "OAK", 1));
  writeFile(dir.file("dated.rwl"), series(2, "REF", 7));
  RunningConsole run(dir.path());

  ASSERT_TRUE(run.waitFor(kFilePrompt)) << run.output();
  EXPECT_FALSE(std::filesystem::exists(dir.file("VESKA.OUT")));
  run.send("data.rwl\n");
  ASSERT_TRUE(run.waitFor(kCodePrompt)) << run.output();
  EXPECT_EQ(report(dir), "");
  run.send("M\n");
  ASSERT_TRUE(run.waitFor(kDatedPrompt)) << run.output();
  const std::string undated = report(dir);
  EXPECT_TRUE(undated.starts_with(kUndatedHeading));
  EXPECT_EQ(lineCount(undated), 2u + 3u);  // the heading, then one line per series
  run.send("Y\ndated.rwl\n");
  ASSERT_TRUE(run.waitFor(kCodePrompt)) << run.output();
  EXPECT_EQ(report(dir), undated);
  run.send("M\n");
  ASSERT_TRUE(run.waitFor(kClosingPause)) << run.output();
  const std::string whole = report(dir);
  EXPECT_TRUE(whole.starts_with(undated + kDatedHeading)) << whole;
  EXPECT_TRUE(whole.ends_with("  =================  ====================== ====================== ======================\n"))
      << whole;

  // A closed terminal at the closing pause: the report was complete and
  // stays as it is; the status still tells of the signal.
  run.signal(SIGHUP);
  EXPECT_EQ(run.finish(), 128 + SIGHUP);
  EXPECT_EQ(report(dir), whole);
  EXPECT_EQ(run.output().find(kIncomplete), std::string::npos) << run.output();
}

TEST(InterruptedRun, MarksItsReportAndExitsWithTheSignal) {
  // 60 series make 1770 progress lines, far more than a pipe holds: the run
  // is still matching when the signal comes, whenever it comes.
  const std::string data = series(60, "S", 3);
  const std::string answers = "data.rwl\nM\nN\n\n";
  std::string whole;
  {
    TempDir dir;
    writeFile(dir.file("data.rwl"), data);
    ASSERT_EQ(runConsole(dir.path(), answers).status, 0);
    whole = report(dir);
  }
  for (const int signal : {SIGINT, SIGTERM}) {
    SCOPED_TRACE(signal);
    TempDir dir;
    writeFile(dir.file("data.rwl"), data);
    RunningConsole run(dir.path());
    run.send(answers);
    ASSERT_TRUE(run.waitFor(" Series   1 S1       and   2 S2       T=")) << run.output();
    run.signal(signal);
    EXPECT_EQ(run.finish(), 128 + signal);
    // The console's last line, after whole progress lines, says so too.
    EXPECT_TRUE(run.output().ends_with(" overlap\n" + kIncomplete)) << run.output().substr(run.output().size() - 300);
    const std::string cut = report(dir);
    ASSERT_TRUE(cut.ends_with(kIncomplete)) << cut;
    const std::string before = cut.substr(0, cut.size() - kIncomplete.size());
    EXPECT_LT(before.size(), whole.size());
    EXPECT_TRUE(whole.starts_with(before)) << "the report before the mark is not the start of the whole report";
    EXPECT_NE(before.find("BEST THREE MATCHING POSITIONS"), std::string::npos);
  }
}

TEST(ConcurrentRuns, TheSecondEndsWithoutTouchingTheReport) {
  TempDir dir;
  writeFile(dir.file("data.rwl"), series(3, "OAK", 1));
  RunningConsole first(dir.path());
  first.send("data.rwl\nM\n");
  ASSERT_TRUE(first.waitFor(kDatedPrompt)) << first.output();
  const std::string held = report(dir);

  const ConsoleRun second = runConsole(dir.path(), "data.rwl\nM\nN\n\n");
  EXPECT_EQ(second.status, 2);
  EXPECT_TRUE(second.output.ends_with(kFilePrompt + "data.rwl\n *** VESKA.OUT is in use by another run ***\n"))
      << second.output;
  EXPECT_EQ(report(dir), held);

  first.send("N\n\n");
  EXPECT_EQ(first.finish(), 0);
  EXPECT_TRUE(report(dir).starts_with(held));
  EXPECT_GT(report(dir).size(), held.size());
}

}  // namespace
}  // namespace veska::test
