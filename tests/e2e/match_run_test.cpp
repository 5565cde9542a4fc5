// The built terminal program run on the project's sample files: the match
// section follows the listings, every pair's console line comes before the
// closing pause, and the best placement of every pair that truly overlaps by
// 75 rings or more is its true one, with the star.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "support/console_run.h"
#include "support/test_support.h"

namespace veska::test {
namespace {

std::vector<std::string> splitLines(const std::string& text) {
  std::vector<std::string> out;
  for (std::size_t from = 0; from < text.size();) {
    std::size_t end = text.find('\n', from);
    if (end == std::string::npos) end = text.size();
    out.push_back(text.substr(from, end - from));
    from = end + 1;
  }
  return out;
}

std::string trim(const std::string& s) { return s.substr(0, s.find_last_not_of(' ') + 1); }

std::string sample(const char* name) { return std::string(VESKA_SOURCE_DIR) + "/data/" + name; }

// The years the sample trees truly grew (scripts/make-sample-data.py); the
// floating files number every floating series from 1001.
struct Tree {
  int first, last;
};
const std::map<std::string, Tree> kTrees = {
    {"VSK01A", {1602, 1899}}, {"VSK02A", {1651, 1950}}, {"VSK03B", {1703, 1985}}, {"VSK04A", {1750, 1996}},
    {"VSK05C", {1585, 1800}}, {"FLT101", {1688, 1847}}, {"FLT102", {1730, 1929}}, {"FLT103", {1801, 1960}},
    {"FLT104", {1640, 1769}}, {"FLT105", {1855, 1944}},
};

// The year a series' report shows for true year y: floating series count
// from 1001.
int shownYear(const std::string& id, int year) {
  return id.rfind("FLT", 0) == 0 ? 1001 + year - kTrees.at(id).first : year;
}

struct SampleRun {
  int status;
  std::vector<std::string> console;
  std::vector<std::string> report;
};

SampleRun runSamples(bool withDated) {
  TempDir dir;
  const std::string answers = withDated ? sample("undated.rwl") + "\nM\nY\n" + sample("dated.rwl") + "\nM\n\n"
                                        : sample("undated.rwl") + "\nM\nN\n\n";
  const ConsoleRun run = runConsole(dir.path(), answers);
  return {run.status, splitLines(run.output), splitLines(readFile(dir.file("VESKA.OUT")))};
}

// Pair lines: columns 4-11 and 13-20 the identifiers, slot 1's last rings in
// columns 21-25 and 26-30.
void expectTrueBestPlacements(const std::vector<std::string>& report, int wantPairs) {
  int pairs = 0;
  int checked = 0;
  for (const std::string& line : report) {
    if (line.size() != 89 || line.compare(0, 3, "   ") != 0 || kTrees.count(trim(line.substr(3, 8))) == 0) continue;
    ++pairs;
    const std::string id1 = trim(line.substr(3, 8));
    const std::string id2 = trim(line.substr(12, 8));
    const Tree a = kTrees.at(id1);
    const Tree b = kTrees.at(id2);
    const int lastCommon = std::min(a.last, b.last);
    if (lastCommon - std::max(a.first, b.first) + 1 < 75) continue;
    SCOPED_TRACE(line);
    ++checked;
    EXPECT_EQ(std::stoi(line.substr(20, 5)), shownYear(id1, lastCommon));
    EXPECT_EQ(std::stoi(line.substr(25, 5)), shownYear(id2, lastCommon));
    EXPECT_EQ(line[11], '*');
  }
  EXPECT_EQ(pairs, wantPairs);
  EXPECT_GE(checked, wantPairs / 3) << "too few pairs overlap enough to check";
}

TEST(MatchRun, DatedSamplesFindTheirTrueYears) {
  const SampleRun run = runSamples(true);
  ASSERT_EQ(run.status, 0);
  // The console: the heading's two empty lines, 25 progress lines, the pause.
  const auto pause = std::find(run.console.begin(), run.console.end(),
                               "Normal Termination of Program- Hit return to Quit");
  ASSERT_NE(pause, run.console.end());
  const auto index = static_cast<std::size_t>(pause - run.console.begin());
  ASSERT_GE(index, 27u);
  EXPECT_EQ(run.console[index - 27], "");
  EXPECT_EQ(run.console[index - 26], "");
  EXPECT_EQ(run.console[index - 25].substr(0, 37), " Series   1 VSK01A   and   1 FLT101  ");
  EXPECT_EQ(run.console[index - 1].substr(0, 37), " Series   5 VSK05C   and   5 FLT105  ");
  // The report: the match section after the dated listing, ending with the
  // last group's separator.
  const auto title = std::find_if(run.report.begin(), run.report.end(),
                                  [](const std::string& l) { return l.find("BEST THREE") != std::string::npos; });
  ASSERT_NE(title, run.report.end());
  EXPECT_EQ(title->find("BEST THREE"), 5u);
  EXPECT_LT(std::find(run.report.begin(), run.report.end(), "  DATED TREE-RING SERIES:"), title);
  EXPECT_EQ(run.report.back().substr(0, 22), "  =================  =");
  expectTrueBestPlacements(run.report, 25);
}

TEST(MatchRun, FloatingSamplesFindTheirTrueRelativePlaces) {
  const SampleRun run = runSamples(false);
  ASSERT_EQ(run.status, 0);
  expectTrueBestPlacements(run.report, 10);
}

}  // namespace
}  // namespace veska::test
