#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "runtime/runtime.h"
#include "support/test_support.h"

namespace veska::runtime {
namespace {

int endStatus(const std::function<void()>& body) {
  try {
    body();
  } catch (const RunEnded& ended) {
    return ended.status;
  }
  ADD_FAILURE() << "the run did not end";
  return -1;
}

TEST(Runtime, EndOfRunClosesEveryUnitAndCallsTerminate) {
  test::TempDir dir;
  test::ScriptedConsole console;
  Runtime rt(console);
  rt.openOrDie(Unit::Report, "VESKA.OUT", OpenFor::Writing);
  rt.writeUnit(Unit::Report, "kept");
  EXPECT_EQ(endStatus([&] { rt.endRun(" ", kExitDataLimit); }), kExitDataLimit);
  EXPECT_EQ(console.output, "");  // a single blank writes nothing
  EXPECT_EQ(console.terminated, kExitDataLimit);
  EXPECT_EQ(test::readFile(dir.file("VESKA.OUT")), "kept\n");
  EXPECT_EQ(rt.units().output(Unit::Report), nullptr);
}

TEST(Runtime, EndOfRunShowsItsMessageAsALine) {
  test::ScriptedConsole console;
  Runtime rt(console);
  EXPECT_EQ(endStatus([&] { rt.endRun("Sbr TRRW:  Over 25 text lines", kExitDataLimit); }), 3);
  EXPECT_EQ(console.output, "Sbr TRRW:  Over 25 text lines\r\n");
}

TEST(Runtime, PauseShowsTheMessageAndWaitsForOneLine) {
  test::ScriptedConsole console({"anything", "next"});
  Runtime rt(console);
  rt.pause("Hit return", kExitNormal);
  EXPECT_EQ(console.output, "Hit return\r\nanything\r\n");
  EXPECT_EQ(rt.readConsole(2), U"ne");
}

TEST(Runtime, InputEndingAtAPauseEndsTheRunAsThePauseWouldHave) {
  for (const int status : {kExitNormal, kExitDataLimit}) {
    SCOPED_TRACE(status);
    test::TempDir dir;
    test::ScriptedConsole console;
    Runtime rt(console);
    rt.openOrDie(Unit::Report, "VESKA.OUT", OpenFor::Writing);
    rt.writeUnit(Unit::Report, "all of it");
    rt.reportComplete();
    EXPECT_EQ(endStatus([&] { rt.pause("Hit return", status); }), status);
    EXPECT_EQ(console.output, "Hit return\r\n");  // no end-of-input message
    EXPECT_EQ(console.terminated, status);
    EXPECT_EQ(test::readFile(dir.file("VESKA.OUT")), "all of it\n");
  }
}

TEST(Runtime, AnswerIsCutOrPaddedToTheTextLength) {
  test::ScriptedConsole console({std::string(50, 'a'), ""});
  Runtime rt(console);
  EXPECT_EQ(rt.readConsole(40), std::u32string(40, U'a'));
  EXPECT_EQ(rt.readConsole(40), std::u32string(40, U' '));
}

TEST(Runtime, ClosedInputAfterAPromptEndsItsLineThenStops) {
  test::ScriptedConsole console;
  Runtime rt(console);
  rt.prompt(records::Record().text("Q ==> "));
  EXPECT_EQ(endStatus([&] { rt.readConsole(1); }), kExitEndOfInput);
  EXPECT_EQ(console.output, "Q ==> \r\n *** End of input: run stopped ***\r\n");
}

class QuittingConsole : public test::ScriptedConsole {
 public:
  bool write(std::string_view bytes) override { return windowOpen && ScriptedConsole::write(bytes); }
  std::optional<int> quitStatus() const override { return quit; }
  bool windowOpen = true;
  std::optional<int> quit;
};

TEST(Runtime, AQuittingHostEndsTheRunWithItsOwnStatus) {
  QuittingConsole console;
  console.quit = 0;
  Runtime rt(console);
  EXPECT_EQ(endStatus([&] { rt.readConsole(1); }), 0);
  EXPECT_EQ(console.output, "");  // no end-of-input message: the user chose to quit
}

TEST(Runtime, AFailedConsoleWriteEndsTheRun) {
  QuittingConsole console;
  console.windowOpen = false;
  Runtime rt(console);
  EXPECT_EQ(endStatus([&] { rt.writeConsole("lost"); }), kExitIoFailure);
  console.quit = 0;
  EXPECT_EQ(endStatus([&] { rt.writeConsole("lost"); }), 0);
}

TEST(Runtime, ReportWriteToAnUnopenedUnitIsAFatalFailure) {
  test::ScriptedConsole console;
  Runtime rt(console);
  EXPECT_EQ(endStatus([&] { rt.writeUnit(Unit::Report, "x"); }), kExitIoFailure);
  EXPECT_EQ(console.output, " *** Cannot write the report: Unit not open ***\r\n");
}

// The report opened as usual, then its descriptor pointed at /dev/full, so
// that every write fails as on a full disk.
void openOnAFullDisk(Runtime& rt) {
  rt.openOrDie(Unit::Report, "VESKA.OUT", OpenFor::Writing);
  const int full = ::open("/dev/full", O_WRONLY | O_CLOEXEC);
  ASSERT_GE(full, 0);
  ASSERT_GE(::dup2(full, rt.units().output(Unit::Report)->fd()), 0);
  ::close(full);
}

TEST(Runtime, AReportWriteThatFailsEndsTheRunAtOnce) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full on this system";
  test::TempDir dir;
  test::ScriptedConsole console;
  Runtime rt(console);
  openOnAFullDisk(rt);
  EXPECT_EQ(endStatus([&] { rt.writeUnit(Unit::Report, "never held back for later"); }), kExitIoFailure);
  // The file and the system's reason.
  EXPECT_EQ(console.output, " *** Cannot write VESKA.OUT: No space left on device ***\r\n");
}

TEST(Runtime, AReportThatFailsMidRunIsReportedOnce) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full on this system";
  test::TempDir dir;
  test::ScriptedConsole console;
  Runtime rt(console);
  openOnAFullDisk(rt);
  const std::string line(79, 'x');
  EXPECT_EQ(endStatus([&] {
              for (int k = 0; k < 100000; ++k) rt.writeUnit(Unit::Report, line);
            }),
            kExitIoFailure);
  // The failing close at the end of run says nothing more.
  EXPECT_EQ(console.output, " *** Cannot write VESKA.OUT: No space left on device ***\r\n");
}

TEST(Runtime, EachReportLineIsInTheFileAsItIsWritten) {
  test::TempDir dir;
  test::ScriptedConsole console;
  Runtime rt(console);
  rt.openOrDie(Unit::Report, "VESKA.OUT", OpenFor::Writing);
  std::string expected;
  for (const std::string line : {"", "  UNDATED TREE-RING SERIES:", "     1  OAK01     0"}) {
    rt.writeUnit(Unit::Report, line);
    expected += line + "\n";
    EXPECT_EQ(test::readFile(dir.file("VESKA.OUT")), expected);
  }
}

}  // namespace
}  // namespace veska::runtime
