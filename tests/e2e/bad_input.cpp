#include "e2e/bad_input.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "support/console_run.h"
#include "support/transcript_texts.h"

namespace veska::test {
namespace {

struct RunResult {
  ConsoleRun run;
  bool reportIsFile = false;
  std::string report;
};

RunResult runCase(const BadInput& c, const std::string& data) {
  TempDir dir;
  if (!c.noFile_) writeFile(dir.file("data.rwl"), data);
  if (c.prepare_) c.prepare_(dir);
  RunResult r;
  r.run = runConsole(dir.path(), c.answers_, c.shell_);
  const auto report = dir.file("VESKA.OUT");
  r.reportIsFile = std::filesystem::is_regular_file(report);
  if (r.reportIsFile) r.report = readFile(report);
  if (c.afterwards_) c.afterwards_(dir);
  return r;
}

void expectReport(const RunResult& r, const Report& expected) {
  const std::string& heading = kUndatedHeading;
  switch (expected.kind) {
    case Report::Absent:
      EXPECT_FALSE(r.reportIsFile) << r.report;
      return;
    case Report::Empty:
      ASSERT_TRUE(r.reportIsFile);
      EXPECT_EQ(r.report, "");
      return;
    case Report::Exact:
      ASSERT_TRUE(r.reportIsFile);
      EXPECT_EQ(r.report, expected.bytes);
      return;
    case Report::CutAt:
      ASSERT_TRUE(r.reportIsFile);
      EXPECT_TRUE(r.report.starts_with(heading)) << r.report;
      EXPECT_EQ(r.report.size(), expected.size);
      return;
    case Report::Listing: {
      ASSERT_TRUE(r.reportIsFile);
      ASSERT_TRUE(r.report.starts_with(heading)) << r.report;
      // The listing: one line per series, up to the first empty line.
      std::vector<std::string> lines;
      for (std::size_t from = heading.size(); from < r.report.size();) {
        const std::size_t end = r.report.find('\n', from);
        if (end == from || end == std::string::npos) break;
        lines.push_back(r.report.substr(from, end - from));
        from = end + 1;
      }
      ASSERT_EQ(lines.size(), expected.ids.size()) << r.report;
      for (std::size_t k = 0; k < lines.size(); ++k) {
        char start[64];
        std::snprintf(start, sizeof start, " %5zu  %-8s", k + 1, expected.ids[k].c_str());
        EXPECT_EQ(lines[k].substr(0, std::string(start).size()), start) << r.report;
      }
    }
  }
}

}  // namespace

std::vector<int> widths(int n, std::uint32_t seed) {
  std::vector<int> out;
  for (int k = 0; k < n; ++k) {
    seed = seed * 1664525u + 1013904223u;
    out.push_back(50 + static_cast<int>(seed >> 8) % 251);
  }
  return out;
}

void check(const BadInput& c) {
  SCOPED_TRACE(c.what_);
  const RunResult r = runCase(c, c.data_);
  EXPECT_EQ(r.run.status, c.status_) << r.run.output;
  std::size_t from = 0;
  for (const std::string& text : c.shows_) {
    const std::size_t at = r.run.output.find(text, from);
    EXPECT_NE(at, std::string::npos) << "missing, or out of order:\n" << text << "\nin:\n" << r.run.output;
    if (at != std::string::npos) from = at + text.size();
  }
  for (const std::string& text : c.lacks_) {
    EXPECT_EQ(r.run.output.find(text), std::string::npos) << "shown:\n" << text << "\nin:\n" << r.run.output;
    EXPECT_EQ(r.report.find(text), std::string::npos) << "reported:\n" << text << "\nin:\n" << r.report;
  }
  if (!c.endsWith_.empty()) {
    EXPECT_TRUE(r.run.output.ends_with(c.endsWith_)) << r.run.output;
  }
  expectReport(r, c.report_);
  if (!c.readsLike_.empty()) {
    EXPECT_EQ(r.report, runCase(c, c.readsLike_).report);
  }
}

}  // namespace veska::test
