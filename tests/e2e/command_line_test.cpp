// veska-console with its answers on the command line: the report is the one
// the dialogue writes from the same answers, byte for byte; a command line or
// a file that cannot be used is refused in one line, status 4, before
// anything is written.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <pty.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "support/console_run.h"
#include "support/test_support.h"

namespace veska::test {
namespace {

constexpr const char* kSeeHelp = " (see veska-console --help)\n";

std::string sample(const std::string& name) { return std::string(VESKA_SOURCE_DIR) + "/data/" + name; }

// The dialogue's answers for the same run.
std::string answersFor(const std::string& undated, const std::string& kind, const std::string& dated = "",
                       const std::string& datedKind = "") {
  if (dated.empty()) return undated + "\n" + kind + "\nN\n\n";
  return undated + "\n" + kind + "\nY\n" + dated + "\n" + datedKind + "\n\n";
}

struct SameRun {
  std::string name;
  std::vector<std::string> arguments;
  std::string answers;
  bool withTable = false;  // both ways with --table pairs.csv
};

// Both ways in folders of their own; the reports, statuses and tables must agree.
void expectSameReport(const SameRun& run) {
  SCOPED_TRACE(run.name);
  TempDir dialogueDir;
  const ConsoleRun dialogue = runConsole(dialogueDir.path(), run.answers, "", run.withTable ? "--table pairs.csv" : "");
  TempDir commandDir;
  const CommandRun command = runCommand(commandDir.path(), run.arguments);
  EXPECT_EQ(command.status, dialogue.status) << command.err;
  EXPECT_EQ(command.err, "");
  const std::string report = readFile(dialogueDir.file("VESKA.OUT"));
  EXPECT_FALSE(report.empty());
  EXPECT_EQ(readFile(commandDir.file("VESKA.OUT")), report);
  if (run.withTable) {
    const std::string table = readFile(dialogueDir.file("pairs.csv"));
    EXPECT_FALSE(table.empty());
    EXPECT_EQ(readFile(commandDir.file("pairs.csv")), table);
  }
}

TEST(CommandLine, TheReportIsTheDialoguesOnTheSamples) {
  const std::string undated = sample("undated.rwl"), dated = sample("dated.rwl"), index = sample("index.crn");
  const SameRun runs[] = {
      {"kind decided from the file", {undated}, answersFor(undated, "M")},
      {"with dated series", {"--kind", "m", "--dated", dated, undated}, answersFor(undated, "M", dated, "M")},
      {"options behind =", {"--kind=M", "--dated=" + dated, "--dated-kind=M", undated},
       answersFor(undated, "M", dated, "M")},
      {"indices", {"--kind", "I", index}, answersFor(index, "I")},
      {"quiet", {"--quiet", "--", undated}, answersFor(undated, "M")},
      {"pair table", {"--table", "pairs.csv", "--dated", dated, undated}, answersFor(undated, "M", dated, "M"), true},
  };
  for (const SameRun& run : runs) expectSameReport(run);
}

TEST(CommandLine, TheReportIsTheDialoguesOnEveryRealFile) {
  const auto real = realDataDir();
  if (!real) GTEST_SKIP() << "the shared real data files are not present beside the checkout";
  std::vector<SameRun> runs;
  for (const auto& entry : std::filesystem::directory_iterator(*real)) {
    const std::string path = entry.path().string(), ext = entry.path().extension().string();
    if (ext != ".rwl" && ext != ".crn" && ext != ".fh") continue;
    const std::string kind = ext == ".crn" ? "I" : "M";
    runs.push_back({entry.path().filename().string(), {"--quiet", "--kind", kind, path}, answersFor(path, kind)});
  }
  const std::string rwl = (*real / "chil015_ficu_tiuchue_rwl.rwl").string();
  const std::string crn = (*real / "chil015_ficu_tiuchue_std.crn").string();
  runs.push_back({"dated chronology", {"--dated", crn, "--dated-kind", "I", rwl}, answersFor(rwl, "M", crn, "I")});
  ASSERT_GE(runs.size(), 20u);
  for (const SameRun& run : runs) expectSameReport(run);
}

TEST(CommandLine, QuietLeavesOutThePairLinesAndOutNamesTheReport) {
  TempDir dir;
  const CommandRun loud = runCommand(dir.path(), {sample("undated.rwl")});
  ASSERT_EQ(loud.status, 0) << loud.err;
  EXPECT_NE(loud.out.find(" Series   1 FLT101"), std::string::npos);
  EXPECT_EQ(loud.out.find("==>"), std::string::npos) << "no question asked";
  const CommandRun quiet = runCommand(dir.path(), {"--quiet", "--out", "site.out", sample("undated.rwl")});
  ASSERT_EQ(quiet.status, 0) << quiet.err;
  EXPECT_EQ(quiet.out.find(" Series   1 FLT101"), std::string::npos);
  EXPECT_EQ(readFile(dir.file("site.out")), readFile(dir.file("VESKA.OUT")));

  // Every message that names the report names the --out file (a missing
  // folder is refused before the run: the refusals' test).
  const int held = ::open(dir.file("held.out").c_str(), O_WRONLY | O_CREAT, 0666);
  ASSERT_GE(held, 0);
  ASSERT_EQ(::flock(held, LOCK_EX | LOCK_NB), 0);
  const CommandRun failed = runCommand(dir.path(), {"--out", "held.out", sample("undated.rwl")});
  ::close(held);
  EXPECT_EQ(failed.status, 2);
  EXPECT_NE(failed.out.find(" *** held.out is in use by another run ***"), std::string::npos) << failed.out;
}

// In the dialogue the table's file is no data file: given as one, it is
// refused like the report, and kept as it was.
TEST(CommandLine, TheTableFileIsNeverReadAsData) {
  TempDir dir;
  const std::string data = readFile(sample("undated.rwl"));
  writeFile(dir.file("pairs.rwl"), data);
  const ConsoleRun run = runConsole(dir.path(), "pairs.rwl\n" + sample("undated.rwl") + "\nM\nN\n\n", "",
                                    "--table pairs.rwl");
  EXPECT_NE(run.output.find("*** FILE CANNOT BE OPENED. TRY AGAIN OR BAILOUT ***"), std::string::npos) << run.output;
  EXPECT_EQ(run.status, 0) << run.output;
  const std::string table = readFile(dir.file("pairs.rwl"));
  EXPECT_NE(table, data);
  EXPECT_EQ(table.rfind("series_a,", 0), 0u) << table.substr(0, 80);
}

TEST(CommandLine, RefusedCommandLinesWriteNothingAndSayWhyInOneLine) {
  TempDir dir;
  writeFile(dir.file("und.rwl"), readFile(sample("undated.rwl")));
  writeFile(dir.file("index.crn"), readFile(sample("index.crn")));
  writeFile(dir.file("VESKA.OUT"), "an earlier report\n");
  writeFile(dir.file("site.out"), "another report\n");
  std::filesystem::create_directory(dir.file("folder"));
  ::mkfifo(dir.file("fifo").c_str(), 0600);
  std::filesystem::create_symlink("site.out", dir.file("link.csv"));
  std::filesystem::create_symlink("nowhere.csv", dir.file("dangling.csv"));
  std::filesystem::create_symlink("fresh.out", dir.file("to-fresh.csv"));  // the report to be
  writeFile(dir.file("locked.rwl"), "x\n");
  std::filesystem::permissions(dir.file("locked.rwl"), std::filesystem::perms::none);
  struct Row {
    std::vector<std::string> arguments;
    std::string line;  // before " (see veska-console --help)"
  };
  const Row rows[] = {
      {{"--bogus", "und.rwl"}, "unknown option: --bogus"},
      {{"-q", "und.rwl"}, "unknown option: -q"},
      {{"--quiet=yes", "und.rwl"}, "option takes no value: --quiet=yes"},
      {{"und.rwl", "--kind"}, "option needs a value: --kind"},
      {{"--kind", "X", "und.rwl"}, "not a kind (M or I) for --kind: X"},
      {{"--kind", "M", "--kind=I", "und.rwl"}, "option given twice: --kind"},
      {{"--quiet", "--quiet", "und.rwl"}, "option given twice: --quiet"},
      {{"--dated", "--quiet", "und.rwl"}, "a file name for --dated looks like an option: --quiet"},
      {{"--dated-kind", "I", "und.rwl"}, "option needs --dated: --dated-kind"},
      {{"--out", "r.csv", "--table", "./r.csv", "und.rwl"}, "the report and the table cannot be one file: ./r.csv"},
      {{"--table", "VESKA.OUT"}, "the report and the table cannot be one file: VESKA.OUT"},
      {{"--table"}, "option needs a value: --table"},
      {{"--table=", "und.rwl"}, "option needs a value: --table"},
      {{"--quiet"}, "no undated file given: --quiet"},
      {{"--table", "t.csv", "--out", "r.out"}, "no undated file given: --out"},
      {{"und.rwl", "index.crn"}, "more than one undated file: index.crn"},
      {{"missing.rwl"}, "no such file: missing.rwl"},
      {{"folder"}, "a directory, not a data file: folder"},
      {{"fifo"}, "not a plain file: fifo"},
      {{"VESKA.OUT"}, "the report file given as a data file: VESKA.OUT"},
      {{"--out", "site.out", "--dated", "./site.out", "und.rwl"}, "the report file given as a data file: ./site.out"},
      {{"index.crn"}, "cannot tell ring widths from indices (give --kind M or --kind I): index.crn"},
      {{"--dated", "index.crn", "und.rwl"},
       "cannot tell ring widths from indices (give --dated-kind M or --dated-kind I): index.crn"},
      {{"--library", "folder"}, "no undated file given: --library"},
      {{"--species", "QU", "und.rwl"}, "option needs --library: --species"},
      {{"--library", "folder", "--out", "r.out", "und.rwl"}, "option does not go with --library: --out"},
      {{"--library", "none", "und.rwl"}, "no such folder for --library: none"},
      {{"--library", "und.rwl", "und.rwl"}, "no such folder for --library: und.rwl"},
      {{"--library", "folder", "--species", "Q1", "und.rwl"},
       "not species codes or genera (QUSP,PI) for --species: Q1"},
      {{"--library", "folder", "--table", "folder/t.csv", "und.rwl"},
       "the table would be a data file of the library run: folder/t.csv"},
      // Files the run would write: known unfit before it starts, never
      // opened, never written through.
      {{"--table", "fifo", "und.rwl"}, "a link or not a plain file, left as it is: fifo"},
      {{"--table", "fifo"}, "a link or not a plain file, left as it is: fifo"},
      {{"--library", "folder", "--table", "fifo", "und.rwl"}, "a link or not a plain file, left as it is: fifo"},
      {{"--table", "link.csv", "und.rwl"}, "a link or not a plain file, left as it is: link.csv"},
      {{"--table", "dangling.csv", "und.rwl"}, "a link or not a plain file, left as it is: dangling.csv"},
      {{"--table", "folder", "und.rwl"}, "a link or not a plain file, left as it is: folder"},
      {{"--table", "/dev/full", "und.rwl"}, "a link or not a plain file, left as it is: /dev/full"},
      {{"--out", "fifo", "und.rwl"}, "a link or not a plain file, left as it is: fifo"},
      {{"--out", "fresh.out", "--table", "to-fresh.csv", "und.rwl"},
       "the report and the table cannot be one file: to-fresh.csv"},
      {{"--table", "missing/t.csv", "und.rwl"}, "cannot be written (No such file or directory): missing/t.csv"},
      {{"--out", "missing/r.out", "und.rwl"}, "cannot be written (No such file or directory): missing/r.out"},
      {{"--out", "und.rwl/r.out", "und.rwl"}, "cannot be written (Not a directory): und.rwl/r.out"},
      // A name on one line, nothing in it a terminal would obey.
      {{"--table", "a\x1b[2Jb\n\xe2\x80\xae" "c/t.csv", "und.rwl"},
       "cannot be written (No such file or directory): a?[2Jb??c/t.csv"},
      {{"--bogus\r\x07", "und.rwl"}, "unknown option: --bogus??"},
  };
  const auto before = std::distance(std::filesystem::directory_iterator(dir.path()), {});
  for (const Row& r : rows) {
    SCOPED_TRACE(r.line);
    const CommandRun run = runCommand(dir.path(), r.arguments);
    EXPECT_EQ(run.status, 4);
    EXPECT_EQ(run.err, "veska-console: " + r.line + kSeeHelp);
    EXPECT_EQ(run.out, "");
  }
  if (::geteuid() != 0) {
    const CommandRun run = runCommand(dir.path(), {"locked.rwl"});
    EXPECT_EQ(run.err, std::string("veska-console: cannot be read (Permission denied): locked.rwl") + kSeeHelp);
  }
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), before) << "a file was written";
  EXPECT_EQ(readFile(dir.file("VESKA.OUT")), "an earlier report\n");
  EXPECT_EQ(readFile(dir.file("site.out")), "another report\n");
}

// A library run on the command line: the summary on standard output, the
// ranked table written, and no report.
TEST(CommandLine, ALibraryRunSaysWhatDatesEachSeriesAndWritesItsTable) {
  TempDir dir;
  std::filesystem::create_directory(dir.file("library"));
  writeFile(dir.file("library") / "dated.rwl", readFile(sample("dated.rwl")));
  writeFile(dir.file("library") / "index.crn", readFile(sample("index.crn")));
  const CommandRun run = runCommand(
      dir.path(), {"--library", "library", "--species", "PI", "--table", "ranked.csv", sample("undated.rwl")});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_NE(run.out.find(" Species PI only: 2 references of other or unknown species left out"), std::string::npos)
      << run.out;
  EXPECT_NE(run.out.find("   Dated: its last ring in 1847, library p "), std::string::npos) << run.out;
  EXPECT_EQ(readFile(dir.file("ranked.csv")).rfind("series,rank,reference,", 0), 0u);
  EXPECT_FALSE(std::filesystem::exists(dir.file("VESKA.OUT")));
}

// Standard error on a terminal (a pseudo-terminal here) shows a bar while the
// pairs are matched and is wiped at the end; the report does not change.
TEST(CommandLine, AProgressBarRunsOnAStandardErrorThatIsATerminal) {
  TempDir dir;
  int master = -1, slave = -1;
  ASSERT_EQ(::openpty(&master, &slave, nullptr, nullptr, nullptr), 0);
  const std::string data = sample("undated.rwl");
  const pid_t pid = ::fork();
  if (pid == 0) {
    const int out = ::open("/dev/null", O_WRONLY);
    ::dup2(out, STDOUT_FILENO);
    ::dup2(slave, STDERR_FILENO);
    ::execl(VESKA_CONSOLE_EXE, VESKA_CONSOLE_EXE, "--quiet", data.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
  ::close(slave);
  std::string shown;
  char buffer[4096];
  for (ssize_t n; (n = ::read(master, buffer, sizeof buffer)) > 0;) shown.append(buffer, static_cast<std::size_t>(n));
  ::close(master);
  int raw = 0;
  ASSERT_EQ(::waitpid(pid, &raw, 0), pid);
  EXPECT_TRUE(WIFEXITED(raw) && WEXITSTATUS(raw) == 0);
  EXPECT_NE(shown.find("\r[#"), std::string::npos) << shown;
  EXPECT_NE(shown.find(" of 10 pairs"), std::string::npos) << shown;
  // Wiped: the last bar overwritten by blanks, the cursor back at the start.
  ASSERT_GE(shown.size(), 2u);
  EXPECT_EQ(shown.back(), '\r');
  EXPECT_EQ(shown.find_first_not_of(' ', shown.rfind('\r', shown.size() - 2) + 1), shown.size() - 1);
}

}  // namespace
}  // namespace veska::test
