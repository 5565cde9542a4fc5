// How printed lines fall onto pages, and the order a job sends them in.
#include "hosts/window/model/print_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace veska::test {
namespace {

using window::LineRange;
using window::PageRange;
using window::PrintResult;

TEST(PrintLayout, LinesPerPageAreWholeLinesAndAtLeastOne) {
  EXPECT_EQ(window::linesPerPage(6000, 100), 60);
  EXPECT_EQ(window::linesPerPage(6099, 100), 60);
  EXPECT_EQ(window::linesPerPage(50, 100), 1);  // a line taller than the page still prints
  EXPECT_EQ(window::linesPerPage(6000, 0), 1);
}

TEST(PrintLayout, PagesOfAWindow) {
  EXPECT_EQ(window::pageCount(250, 60), 5);
  EXPECT_EQ(window::pageCount(240, 60), 4);
  EXPECT_EQ(window::pageCount(1, 60), 1);
  EXPECT_EQ(window::pageCount(0, 60), 0);
}

TEST(PrintLayout, PageRangeChoosesItsLines) {
  struct Row {
    std::optional<PageRange> pages;
    int first;
    int last;
  };
  const Row rows[] = {
      {std::nullopt, 1, 250},
      {PageRange{2, 3}, 61, 180},
      {PageRange{1, 1}, 1, 60},
      {PageRange{5, 5}, 241, 250},      // the last page is short
      {PageRange{4, 32767}, 181, 250},  // beyond the end: up to the last line
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.first);
    const LineRange lines = window::linesToPrint(60, 250, row.pages);
    EXPECT_EQ(lines.first, row.first);
    EXPECT_EQ(lines.last, row.last);
  }
  EXPECT_TRUE(window::linesToPrint(60, 250, PageRange{6, 9}).empty());  // no such pages
  EXPECT_TRUE(window::linesToPrint(60, 0, std::nullopt).empty());
}

// Records the job as text: "|" for a new page, the line numbers between.
class RecordingSink : public window::PageSink {
 public:
  bool newPage() override {
    job += "|";
    return --pagesUntilFailure != 0;
  }
  void drawLine(int row, int line) override {
    job += std::to_string(line) + "@" + std::to_string(row) + " ";
  }
  std::string job;
  int pagesUntilFailure = -1;  // the n-th page change fails; -1 never
};

TEST(PrintJob, PagesBreakAfterEveryFullPageButNotAfterTheLast) {
  RecordingSink sink;
  const auto keepGoing = [] { return true; };
  EXPECT_EQ(window::printLines(sink, {3, 7}, 2, 1, keepGoing), PrintResult::Finished);
  EXPECT_EQ(sink.job, "3@0 4@1 |5@0 6@1 |7@0 ");
  // A range that fills its last page exactly ends without a blank page.
  RecordingSink exact;
  window::printLines(exact, {1, 4}, 2, 1, keepGoing);
  EXPECT_EQ(exact.job, "1@0 2@1 |3@0 4@1 ");
}

TEST(PrintJob, EachCopyStartsOnAPageOfItsOwn) {
  RecordingSink sink;
  window::printLines(sink, {1, 3}, 2, 2, [] { return true; });
  EXPECT_EQ(sink.job, "1@0 2@1 |3@0 |1@0 2@1 |3@0 ");
}

TEST(PrintJob, TwoHundredFiftyLinesAtSixtyMakeFivePages) {
  RecordingSink sink;
  window::printLines(sink, window::linesToPrint(60, 250, std::nullopt), 60, 1, [] { return true; });
  EXPECT_EQ(std::count(sink.job.begin(), sink.job.end(), '|') + 1, 5);
  RecordingSink pages2to3;
  window::printLines(pages2to3, window::linesToPrint(60, 250, PageRange{2, 3}), 60, 1, [] { return true; });
  EXPECT_EQ(pages2to3.job.substr(0, 5), "61@0 ");
  EXPECT_NE(pages2to3.job.find("|121@0 "), std::string::npos);
  EXPECT_EQ(pages2to3.job.substr(pages2to3.job.size() - 7), "180@59 ");
}

TEST(PrintJob, CancelOrAFailedPageStopsTheJob) {
  RecordingSink cancelled;
  int lines = 0;
  EXPECT_EQ(window::printLines(cancelled, {1, 10}, 3, 1, [&] { return ++lines < 4; }), PrintResult::Stopped);
  EXPECT_EQ(cancelled.job, "1@0 2@1 3@2 |4@0 ");
  RecordingSink refused;
  refused.pagesUntilFailure = 2;
  EXPECT_EQ(window::printLines(refused, {1, 10}, 3, 1, [] { return true; }), PrintResult::Stopped);
  EXPECT_EQ(refused.job, "1@0 2@1 3@2 |4@0 5@1 6@2 |");
}

TEST(PrintJob, NoCopiesPrintNothing) {
  RecordingSink sink;
  EXPECT_EQ(window::printLines(sink, {1, 10}, 3, 0, [] { return true; }), PrintResult::Finished);
  EXPECT_EQ(sink.job, "");
}

}  // namespace
}  // namespace veska::test
