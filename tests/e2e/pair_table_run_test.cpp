// veska-console --table with the dialogue: the pair table beside an
// unchanged report and transcript, one row per reported placement; a table
// that cannot be written ends the run with status 2 and leaves the report
// complete and the earlier table as it was. (A table refused before the
// run: the command line's tests.)
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <cstdio>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "support/console_run.h"
#include "support/test_support.h"

namespace veska::test {
namespace {

std::string sample(const char* name) { return std::string(VESKA_SOURCE_DIR) + "/data/" + name; }

const std::string kDatedAnswers = sample("undated.rwl") + "\nM\nY\n" + sample("dated.rwl") + "\nM\n\n";
const std::string kHeader =
    "series_a,series_b,placements,slot,last_ring_a,last_ring_b,overlap,r,t,p_chance,margin,verdict,"
    "check,break_ring,break_shift,break_p,corrected_t,later_left_out";

std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::vector<std::string> fieldsOf(const std::string& row) {
  std::vector<std::string> fields;
  std::istringstream in(row);
  for (std::string field; std::getline(in, field, ',');) fields.push_back(field);
  if (!row.empty() && row.back() == ',') fields.emplace_back();
  return fields;
}

std::string trim(const std::string& s) {
  const auto begin = s.find_first_not_of(' ');
  return begin == std::string::npos ? "" : s.substr(begin, s.find_last_not_of(' ') - begin + 1);
}

TEST(PairTableRun, TableBesideAnUnchangedReportAndTranscript) {
  TempDir plain;
  TempDir tabled;
  const ConsoleRun without = runConsole(plain.path(), kDatedAnswers);
  const ConsoleRun with = runConsole(tabled.path(), kDatedAnswers, "", "--table pairs.csv");
  ASSERT_EQ(without.status, 0);
  ASSERT_EQ(with.status, 0);
  EXPECT_EQ(with.output, without.output);
  const std::string report = readFile(plain.file("VESKA.OUT"));
  EXPECT_EQ(readFile(tabled.file("VESKA.OUT")), report);

  const std::string table = readFile(tabled.file("pairs.csv"));
  EXPECT_EQ(table.find('\r'), std::string::npos);
  const std::vector<std::string> rows = linesOf(table);
  ASSERT_FALSE(rows.empty());
  EXPECT_EQ(rows[0], kHeader);
  // Every report pair line's three slots, in order, as rows 3k + j.
  std::vector<std::string> pairLines;
  for (const std::string& line : linesOf(report))
    if (line.size() == 89 && line.compare(0, 3, "   ") == 0 && line[24] >= '0' && line[24] <= '9')
      pairLines.push_back(line);
  ASSERT_EQ(pairLines.size(), 25u);
  ASSERT_EQ(rows.size(), 1 + 3 * pairLines.size());
  const std::set<std::string> verdicts = {"strong", "likely", "possible", "chance"};
  const std::set<std::string> checks = {"break", "none", "cannot check"};
  std::set<std::string> researched;
  for (std::size_t k = 0; k < pairLines.size(); ++k) {
    const std::string& line = pairLines[k];
    for (std::size_t j = 0; j < 3; ++j) {
      const std::vector<std::string> f = fieldsOf(rows[1 + 3 * k + j]);
      SCOPED_TRACE(line + "\n" + rows[1 + 3 * k + j]);
      ASSERT_EQ(f.size(), 18u);
      EXPECT_EQ(f[0], trim(line.substr(3, 8)));
      EXPECT_EQ(f[1], trim(line.substr(12, 8)));
      EXPECT_EQ(f[3], std::to_string(j + 1));
      const std::string slot = line.substr(20 + 23 * j, 23);
      // VSK04A ends in 1996: where the report's best three put an undated
      // series' last ring after this year, the table shows other placements.
      const bool asReported = std::stoi(f[4]) == std::stoi(slot.substr(0, 5)) &&
                              std::stoi(f[5]) == std::stoi(slot.substr(5, 5)) &&
                              std::stoi(f[6]) == std::stoi(slot.substr(10, 4));
      if (!asReported) {
        researched.insert(f[0] + " " + f[1]);
        EXPECT_NE(f[17], "0");
        continue;
      }
      char t[16];
      std::snprintf(t, sizeof t, "%5.1f", std::stof(f[8]));
      EXPECT_EQ(t, slot.substr(18, 5));
      const double p = std::stod(f[9]);
      EXPECT_TRUE(p >= 0.0 && p <= 1.0);
      const float t1 = std::stof(fieldsOf(rows[1 + 3 * k])[8]);
      EXPECT_FLOAT_EQ(std::stof(f[10]), t1 - std::stof(fieldsOf(rows[2 + 3 * k])[8]));
      EXPECT_EQ(verdicts.count(f[11]), 1u);
      // Every pair shown has a placement: the check answers, the same on
      // every row of the pair.
      EXPECT_EQ(checks.count(f[12]), 1u);
      EXPECT_EQ(f[12], fieldsOf(rows[1 + 3 * k])[12]);
    }
  }
  EXPECT_EQ(researched, (std::set<std::string>{"VSK04A FLT102", "VSK04A FLT105"}));
}

// The table is written into a new file that takes its name only when
// complete: a full disk leaves the earlier table as it was and no cut file.
TEST(PairTableRun, ATableThatCannotBeWrittenEndsTheRunWithTheReportAndTheOldTableKept) {
#ifndef VESKA_FAULT_SHIM
  GTEST_SKIP() << "no fault shim in this build (sanitizers): a full disk cannot be simulated";
#else
  TempDir plain;
  ASSERT_EQ(runConsole(plain.path(), kDatedAnswers).status, 0);
  const std::string report = readFile(plain.file("VESKA.OUT"));
  TempDir dir;
  writeFile(dir.file("pairs.csv"), "the earlier table\n");
  const std::string shim = std::string("LD_PRELOAD='") + VESKA_FAULT_SHIM +
                           "' VESKA_FAIL_WRITE_TO=pairs.csv VESKA_FAIL_WRITE_AFTER=1000 ";
  const ConsoleRun run = runConsole(dir.path(), kDatedAnswers, shim, "--table pairs.csv");
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.output.find(" *** Cannot write pairs.csv: No space left on device ***\n"), std::string::npos)
      << run.output;
  EXPECT_EQ(run.output.find("Normal Termination"), std::string::npos);
  EXPECT_EQ(readFile(dir.file("VESKA.OUT")), report);
  EXPECT_EQ(readFile(dir.file("pairs.csv")), "the earlier table\n");
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir.path())) names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"VESKA.OUT", "pairs.csv"}));
#endif
}

}  // namespace
}  // namespace veska::test
