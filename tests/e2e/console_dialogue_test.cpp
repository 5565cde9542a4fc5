// The whole dialogue of veska-console, run as a user's script would run it:
// answers piped in, the transcript and VESKA.OUT compared to the byte.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

#include "input/input_fixture.h"
#include "support/console_run.h"
#include "support/transcript_texts.h"
#include "support/test_support.h"

namespace veska::test {
namespace {

const std::string kClosing = "Normal Termination of Program- Hit return to Quit\n";

class ConsoleDialogue : public testing::Test {
 protected:
  // One series, long enough to be matched: a file that gives no series would
  // end the run after its listing.
  void SetUp() override { writeFile(dir_.file("one.rwl"), input::testing::rwSeries("OAK01", 1900, rings())); }
  static std::vector<int> rings() {
    std::vector<int> out;
    for (int k = 0; k < 60; ++k) out.push_back(80 + (k * 37) % 120);
    return out;
  }
  ConsoleRun run(const std::string& answers) { return runConsole(dir_.path(), answers); }
  std::string report() const { return readFile(dir_.file("VESKA.OUT")); }
  bool reportExists() const { return std::filesystem::exists(dir_.file("VESKA.OUT")); }
  TempDir dir_;
};

TEST_F(ConsoleDialogue, PlainRunWithoutDatedSeries) {
  const ConsoleRun r = run("one.rwl\nM\nN\n\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_TRUE(r.output.starts_with(kOpening + kFilePrompt + "one.rwl\n" + kCodePrompt + "M\n" +
                                   kDatedPrompt + "N\n"));
  EXPECT_TRUE(r.output.ends_with(kClosing + "\n"));
  EXPECT_TRUE(report().starts_with(kUndatedHeading));
  EXPECT_EQ(report().find(kDatedHeading), std::string::npos);
}

TEST_F(ConsoleDialogue, DatedAnswerYesAsksForTheFileAndTheKindAgain) {
  const ConsoleRun r = run("one.rwl\nm\nyes\none.rwl\nm\n\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_TRUE(r.output.starts_with(kOpening + kFilePrompt + "one.rwl\n" + kCodePrompt + "m\n" +
                                   kDatedPrompt + "yes\n" + kFilePrompt + "one.rwl\n" +
                                   kCodePrompt + "m\n"));
  EXPECT_TRUE(report().starts_with(kUndatedHeading));
  EXPECT_NE(report().find(kDatedHeading), std::string::npos);
}

TEST_F(ConsoleDialogue, OnlyALeadingYOrYMeansYes) {
  for (const char* answer : {"N", "", " Y", "x"}) {
    SCOPED_TRACE(answer);
    const ConsoleRun r = run(std::string("one.rwl\nM\n") + answer + "\n\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.output.find(kFilePrompt, kOpening.size() + 1), std::string::npos);
  }
}

TEST_F(ConsoleDialogue, FailedOpenIsRetriedWithItsMessage) {
  const ConsoleRun r = run("missing.rwl\n" + dir_.file("one.rwl").string() + "\nM\nN\n\n");
  EXPECT_EQ(r.status, 0);
  // An absolute path is a file name like any other, not the bail-out.
  EXPECT_TRUE(r.output.starts_with(kOpening + kFilePrompt + "missing.rwl\n" + kCannotOpen +
                                   kFilePrompt + dir_.file("one.rwl").string() + "\n" +
                                   kCodePrompt));
}

TEST_F(ConsoleDialogue, EmptyNameIsRefusedWithTheRetryMessage) {
  const ConsoleRun r = run("\none.rwl\nM\nN\n\n");
  EXPECT_TRUE(r.output.starts_with(kOpening + kFilePrompt + "\n" + kCannotOpen + kFilePrompt));
  EXPECT_EQ(r.status, 0);
}

TEST_F(ConsoleDialogue, KindQuestionIsAskedUntilAKnownLetter) {
  const ConsoleRun r = run("one.rwl\n\nQ\nM\nN\n\n");
  EXPECT_TRUE(r.output.starts_with(kOpening + kFilePrompt + "one.rwl\n" + kCodePrompt + "\n" +
                                   kCodePrompt + "Q\n" + kCodePrompt + "M\n" + kDatedPrompt));
}

TEST_F(ConsoleDialogue, TheKindLetterChoosesTheLayoutInEitherCase) {
  // One index series (identifier 1-6, year 7-10, value and count pairs):
  // read as indices it is listed, read as ring widths it is no series, which
  // ends the run after the empty listing.
  writeFile(dir_.file("idx.crn"), "IDX   19901000  51100  51200  59990  0\n");
  const std::string listed = "     1  IDX     ";
  for (const char* letter : {"I", "i", "M", "m"}) {
    SCOPED_TRACE(letter);
    const bool indices = std::tolower(letter[0]) == 'i';
    ASSERT_EQ(run(std::string("idx.crn\n") + letter + "\nN\n\n").status, indices ? 0 : 3);
    EXPECT_EQ(report().find(kUndatedHeading + listed) == 0, indices) << report();
  }
}

TEST_F(ConsoleDialogue, BailOutAtTheFirstPromptLeavesAnOldReportUntouched) {
  writeFile(dir_.file("VESKA.OUT"), "an earlier run's report\n");
  for (const char* answer : {"/", "/   ", "/anything else"}) {
    SCOPED_TRACE(answer);
    const ConsoleRun r = run(std::string(answer) + "\n");
    if (std::string(answer) == "/anything else") {
      // Not a bail-out here: a path beginning with "/" is a name (it fails to open).
      EXPECT_NE(r.output.find(kCannotOpen), std::string::npos);
      EXPECT_EQ(r.status, 1);
    } else {
      EXPECT_EQ(r.status, 0);
      EXPECT_EQ(r.output, kOpening + kFilePrompt + answer + "\n");
    }
    EXPECT_EQ(report(), "an earlier run's report\n");
  }
}

TEST_F(ConsoleDialogue, BailOutWithoutAnEarlierReportCreatesNone) {
  const ConsoleRun r = run("/\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_FALSE(reportExists());
}

TEST_F(ConsoleDialogue, BailOutAtTheDatedFileKeepsTheUndatedListing) {
  const ConsoleRun r = run("one.rwl\nM\nY\n/\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_TRUE(r.output.ends_with(kDatedPrompt + "Y\n" + kFilePrompt + "/\n"));
  // The heading and the one series' listing line, nothing after them.
  const std::string kept = report();
  EXPECT_TRUE(kept.starts_with(kUndatedHeading + "     1  OAK01   "));
  EXPECT_EQ(std::count(kept.begin(), kept.end(), '\n'), 3);
}

TEST_F(ConsoleDialogue, AnEarlierReportIsReplacedNotAppended) {
  writeFile(dir_.file("VESKA.OUT"), "an earlier run's report, longer than this run's\n\n\n\n\n\n");
  ASSERT_EQ(run("one.rwl\nM\nN\n\n").status, 0);
  EXPECT_TRUE(report().starts_with(kUndatedHeading));
  EXPECT_EQ(report().find("earlier"), std::string::npos);
}

TEST_F(ConsoleDialogue, AnswersThatRunOutEndTheRunWithStatusOneUnlessItsWorkIsDone) {
  const std::string& stop = kEndOfInput;
  struct Case {
    const char* answers;
    std::string tail;
    int status;
  };
  const Case cases[] = {
      {"", kFilePrompt + "\n" + stop, 1},
      {"missing\n", kFilePrompt + "\n" + stop, 1},
      {"one.rwl\n", kCodePrompt + "\n" + stop, 1},
      {"one.rwl\nM\n", kDatedPrompt + "\n" + stop, 1},
      {"one.rwl\nM\nN\n", kClosing, 0},  // at the closing pause: a normal end, no message
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.answers);
    const ConsoleRun r = run(c.answers);
    EXPECT_EQ(r.status, c.status);
    EXPECT_TRUE(r.output.ends_with(c.tail)) << r.output;
  }
}

TEST_F(ConsoleDialogue, CrLfAnswersReadLikeLfAnswers) {
  const ConsoleRun r = run("one.rwl\r\nM\r\nN\r\n\r\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_TRUE(r.output.starts_with(kOpening + kFilePrompt + "one.rwl\n" + kCodePrompt + "M\n"));
}

}  // namespace
}  // namespace veska::test
