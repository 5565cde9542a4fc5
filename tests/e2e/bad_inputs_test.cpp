// A catalogue of the bad inputs users bring, each run through the built
// terminal program with piped answers: the exact console lines it shows,
// whether the run goes on or ends and with which exit status, and what the
// report holds afterwards. Nothing here may crash, hang or lose a report.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "e2e/bad_input.h"
#include "input/input_fixture.h"
#include "support/console_run.h"
#include "support/transcript_texts.h"
#include "support/test_support.h"

namespace veska::test {
namespace {

using input::testing::rwSeries;

// The end of a run whose file gave no series, with Enter at its pause.
const std::string kNoSeries = "\n    *** No series read from data.rwl ***\n\n";

// A format-driven series: the "#" line, the header, the value lines.
std::string formatted(const std::string& id, const std::string& n, const std::string& layout,
                      const std::vector<std::string>& lines) {
  std::string out = id;
  out.resize(79, ' ');
  out += "#\n";
  std::string header = "N " + std::string(8 - n.size(), ' ') + n + "      1801  " + layout;
  out += header + "\n";
  for (const std::string& line : lines) out += line + "\n";
  return out;
}

const std::vector<std::string> kTenValues(
    6, "   1.250   0.980   1.100   0.700   0.655   1.000   1.234   2.500   0.010   1.111");

std::vector<std::string> seriesIds(int count) {
  std::vector<std::string> ids;
  for (int k = 1; k <= count; ++k) {
    char id[16];
    std::snprintf(id, sizeof id, "S%03d", k);
    ids.push_back(id);
  }
  return ids;
}

std::string manySeries(int count) {
  std::string out;
  std::uint32_t seed = 0;
  for (const std::string& id : seriesIds(count)) out += rwSeries(id, 1900, widths(60, ++seed));
  return out;
}

std::string titleLines(int count) {
  std::string out;
  for (int k = 1; k <= count; ++k) out += "Title line " + std::to_string(k) + "\n";
  return out;
}

// Bytes of every value, line ends among them, in no sensible order.
std::string binaryJunk() {
  std::string out;
  for (std::uint32_t i = 0; i < 16384; ++i) out.push_back(static_cast<char>((i * i * 7 + i * 13 + 5) % 256));
  return out;
}

std::vector<BadInput> fileCases() {
  const std::string oak = rwSeries("OAK01", 1900, widths(80, 1));
  std::string noMarker = rwSeries("LAST01", 1900, widths(60, 2));
  noMarker.erase(noMarker.rfind("   999"));
  noMarker += "\n";
  return {
      BadInput("a name that names no file is asked again")
          .noFile(true)
          .answers("nothere.rwl\n/\n")
          .shows({kFilePrompt + "nothere.rwl\n" + kCannotOpen + kFilePrompt + "/\n"})
          .report(absent()),
      BadInput("a directory is no data file")
          .noFile(true)
          .answers(".\n/\n")
          .shows({kFilePrompt + ".\n" + kCannotOpen + kFilePrompt + "/\n"})
          .report(absent()),
      BadInput("a name with a NUL byte opens no file named by its start")
          .data(oak)
          .answers(std::string("data.rwl\0.old\n/\n", 16))
          .shows({kCannotOpen + kFilePrompt + "/\n"})
          .report(absent()),
      BadInput("a file of text lines only shows them as titles and loads nothing")
          .data("Site: Nowhere\nSpecies: oak\nCollected 1999\n")
          .answers("data.rwl\nM\n\n")
          .status(3)
          .shows({"\n Title of data:\n Site: Nowhere" + std::string(67, ' ') + "\n",
                 "\n Title of data:\n Collected 1999" + std::string(66, ' ') + "\n" + kNoSeries})
          .report(listing({})),
      BadInput("26 text lines end the run at once")
          .data(titleLines(26))
          .status(3)
          .shows({" Title line 25"})
          .endsWith(" Title line 25" + std::string(67, ' ') + "\nSbr TRRW:  Over 25 text lines\n")
          .report(empty()),
      BadInput("binary junk is read as text lines until their limit")
          .data(binaryJunk())
          .status(3)
          .endsWith("Sbr TRRW:  Over 25 text lines\n")
          .report(empty()),
      BadInput("a value too wide for its field spills into the next and is read as the columns say")
          .data("OAK01   1985 1234567   145   118    97   110\nOAK01   1990   132   121   999\n")
          .shows({kCodePrompt + "M\n\n    *** Series OAK01   : 7 rings, fewer than 50: not matched ***\n",
                  kDatedPrompt})
          .report(listing({"OAK01"})),
      BadInput("a value too large for an integer item is an error reading data")
          .data(formatted("PINE07", "4", "(2I12)", {"  99999999999           1", "           2           3"}))
          .shows({">> Sbr DATAR:  Error reading data\n"})
          .endsWith(kClosing)
          .report(listing({"PINE07"})),
      BadInput("a zero field width in a format text is an error reading data")
          .data(formatted("PINE07", "60", "(10F0.3)", kTenValues))
          .shows({">> Sbr DATAR:  Error reading data\n", "\n Title of data:\n    1.250"})
          .endsWith(kClosing)
          .report(listing({"PINE07"})),
      BadInput("a negative field width in a format text is an error reading data")
          .data(formatted("PINE07", "60", "(F-8.3)", kTenValues))
          .shows({">> Sbr DATAR:  Error reading data\n"})
          .endsWith(kClosing)
          .report(listing({"PINE07"})),
      BadInput("a negative count of values is a series of no rings, and the file goes on")
          .data(formatted("PINE07", "-60", "(10F8.3)", kTenValues) + oak)
          .shows({kCodePrompt + "M\n\n    *** Series PINE07   has no rings: skipped ***\n"})
          .endsWith(kClosing)
          .report(listing({"OAK01"})),
      BadInput("a format text without its closing parenthesis makes no header")
          .data(formatted("PINE07", "60", "(10F8.3 ", kTenValues))
          .answers("data.rwl\nM\n\n")
          .status(3)
          .endsWith(kNoSeries)
          .report(listing({})),
      BadInput("a count of 99999999 reads to the end of the file, then stops the run")
          .data(formatted("BIG01", "99999999", "(9999F1)", {std::string(80, '7'), std::string(80, '8')}))
          .answers("data.rwl\nM\n\n")
          .status(3)
          .shows({">> Sbr DATAR:  Unexpected end reading data\n"})
          .endsWith("\n    *** Series read in exceeds maximum allowable length: N 999999  **** > 5000 ***\n\n")
          .report(empty()),
      BadInput("an infinite value is loaded and modelled")
          .data(formatted("PINE07", "60", "(10F8.3)", {"   1E999   0.980"}))
          .shows({">> Sbr DATAR:  Unexpected end reading data\n"})
          .endsWith(kClosing)
          .report(listing({"PINE07"})),
      BadInput("a last series without its end marker is named and not loaded")
          .data(oak + noMarker)
          .shows({"\n    *** Series LAST01   has no end marker: not loaded ***\n" + kDatedPrompt})
          .endsWith(kClosing)
          .report(listing({"OAK01"})),
      BadInput("a series of 5000 values loads")
          .data(rwSeries("LONG01", 1, widths(5000, 3)))
          .endsWith(kClosing)
          .report(listing({"LONG01"})),
      BadInput("a series of 5001 values stops the run after a pause")
          .data(oak + rwSeries("LONG01", 1, widths(5001, 3)))
          .answers("data.rwl\nM\n\n")
          .status(3)
          .endsWith(kCodePrompt + "M\n\n    *** Series read in exceeds maximum allowable length: LONG01    5001 > 5000 ***\n\n")
          .report(empty()),
      BadInput("100 series load")
          .data(manySeries(100))
          .endsWith(kClosing)
          .report(listing(seriesIds(100))),
      BadInput("a 1001st series stops the run after a pause")
          .data(manySeries(1001))
          .answers("data.rwl\nM\n\n")
          .status(3)
          .endsWith(kCodePrompt + "M\n\n    *** Number of series exceeds maximum allowed: 1000 ***\n\n")
          .report(empty()),
  };
}

std::vector<BadInput> reportAndAnswerCases() {
  const std::string oak = rwSeries("OAK01", 1900, widths(80, 1));
  return {
      BadInput("no answer at all")
          .data(oak)
          .answers("")
          .status(1)
          .endsWith(kFilePrompt + "\n" + kEndOfInput)
          .report(absent()),
      BadInput("answers that run out after a name that cannot be opened")
          .data(oak)
          .answers("nothere.rwl\n")
          .status(1)
          .endsWith(kCannotOpen + kFilePrompt + "\n" + kEndOfInput)
          .report(absent()),
      BadInput("answers that run out at the kind question leave an empty report")
          .data(oak)
          .answers("data.rwl\n")
          .status(1)
          .endsWith(kCodePrompt + "\n" + kEndOfInput)
          .report(empty()),
      BadInput("answers that run out at the dated question keep the listing")
          .data(oak)
          .answers("data.rwl\nM\n")
          .status(1)
          .endsWith(kDatedPrompt + "\n" + kEndOfInput)
          .report(listing({"OAK01"})),
      // The run's work is done by a pause: answers that run out there end
      // it as Enter would have, without a word.
      BadInput("answers that run out at the closing pause end the run normally")
          .data(oak)
          .answers("data.rwl\nM\nN\n")
          .status(0)
          .endsWith("Normal Termination of Program- Hit return to Quit\n")
          .report(listing({"OAK01"})),
      BadInput("answers that run out at a limit's pause end the run with the limit's status")
          .data(rwSeries("LONG01", 1, widths(5001, 3)))
          .answers("data.rwl\nM\n")
          .status(3)
          .endsWith("LONG01    5001 > 5000 ***\n")
          .report(empty()),
  };
}

// Faults of layout that the fixed columns forgive: the report is the one the
// clean file gives.
std::vector<BadInput> forgivenCases() {
  const std::string clean = rwSeries("OAK01", 1900, widths(80, 1)) + rwSeries("ELM02", 1951, widths(70, 2));
  std::string tabs, longLines, mixedEnds;
  std::size_t lineNumber = 0;
  for (std::size_t from = 0; from < clean.size();) {
    const std::size_t end = clean.find('\n', from);
    std::string line = clean.substr(from, end - from);
    std::string tabbed = line;  // a tab for every blank of the value fields
    for (std::size_t k = 12; k < tabbed.size(); ++k)
      if (tabbed[k] == ' ') tabbed[k] = '\t';
    tabs += tabbed + "\n";
    line.resize(80, ' ');
    longLines += line + "  1999 junk beyond column 80\n";
    const char* ends[] = {"\n", "\r\n", "\r", "\r\r\n"};
    mixedEnds += clean.substr(from, end - from) + ends[lineNumber++ % 4];
    from = end + 1;
  }
  return {
      BadInput("tabs in place of blanks inside fields read as blanks")
          .data(tabs)
          .endsWith(kClosing)
          .report(listing({"OAK01", "ELM02"}))
          .readsLike(clean),
      BadInput("columns beyond 80 are not read")
          .data(longLines)
          .endsWith(kClosing)
          .report(listing({"OAK01", "ELM02"}))
          .readsLike(clean),
      BadInput("every kind of line end, mixed in one file")
          .data(mixedEnds)
          .endsWith(kClosing)
          .report(listing({"OAK01", "ELM02"}))
          .readsLike(clean),
      BadInput("a million blank lines are no series, and no unfinished one either")
          .data(std::string(1000000, '\n'))
          .answers("data.rwl\nM\n\n")
          .status(3)
          .endsWith(kCodePrompt + "M\n" + kNoSeries)
          .report(listing({})),
  };
}

// Files a run must neither harm nor wait for, names opened as typed, and the
// ways a run can die without a word: each ends with a message and a status.
std::vector<BadInput> safetyCases() {
  const std::string oak = rwSeries("OAK01", 1900, widths(80, 1));
  const std::string elm = rwSeries("ELM02", 1951, widths(70, 2));
  const std::string earlier = "an earlier run's report\n";
  // A path of the longest length the system takes (4095 bytes) names
  // data.rwl; an answer that goes on behind it with a blank names another
  // file, which a shortened answer would take for data.rwl.
  std::string longest;
  while (longest.size() + 2 + 8 <= 4095) longest += "./";
  longest.resize(4095 - 8, '/');
  longest += "data.rwl";
  std::vector<BadInput> cases = {
      BadInput("the report, by its name, a symbolic link or a hard link, is no data file")
          .noFile(true)
          .answers("VESKA.OUT\nlink.rwl\nhard.rwl\n/\n")
          .shows({kFilePrompt + "VESKA.OUT\n" + kCannotOpen, kFilePrompt + "link.rwl\n" + kCannotOpen,
                  kFilePrompt + "hard.rwl\n" + kCannotOpen + kFilePrompt + "/\n"})
          .report(exactly(earlier))
          .prepare([earlier](const TempDir& dir) {
            writeFile(dir.file("VESKA.OUT"), earlier);
            std::filesystem::create_symlink("VESKA.OUT", dir.file("link.rwl"));
            std::filesystem::create_hard_link(dir.file("VESKA.OUT"), dir.file("hard.rwl"));
          }),
      BadInput("the open report is no dated file")
          .data(oak)
          .answers("data.rwl\nM\nY\nVESKA.OUT\n/\n")
          .shows({kDatedPrompt + "Y\n" + kFilePrompt + "VESKA.OUT\n" + kCannotOpen + kFilePrompt + "/\n"})
          .report(listing({"OAK01"})),
      BadInput("a FIFO without a writer and a device are refused at once")
          .noFile(true)
          .answers("pipe.rwl\n/dev/zero\n/\n")
          .shell("timeout 20")
          .shows({kFilePrompt + "pipe.rwl\n" + kCannotOpen, kFilePrompt + "/dev/zero\n" + kCannotOpen})
          .endsWith(kFilePrompt + "/\n")
          .report(absent())
          .prepare([](const TempDir& dir) { ASSERT_EQ(::mkfifo(dir.file("pipe.rwl").c_str(), 0600), 0); }),
      BadInput("a name typed in Latin-1 opens that file, not its UTF-8 twin")
          .noFile(true)
          .answers("caf\xE9.rwl\nM\nN\n\n")
          .endsWith(kClosing)
          .report(listing({"OAK01"}))
          .prepare([oak, elm](const TempDir& dir) {
            writeFile(dir.file("caf\xE9.rwl"), oak);
            writeFile(dir.file("caf\xC3\xA9.rwl"), elm);
          }),
      BadInput("an answer longer than the longest path is asked again, never shortened")
          .data(oak)
          .answers(longest + " x.bak\n" + longest + "\nM\nN\n\n")
          .shows({" x.bak\n" + kCannotOpen + kFilePrompt + longest + "\n" + kCodePrompt})
          .endsWith(kClosing)
          .report(listing({"OAK01"})),
      BadInput("control characters of a title line reach the terminal as question marks")
          .data("\x1B]0;owned\x07 Site\x7F\x01\tx\n" + oak)
          .shows({"\n Title of data:\n ?]0;owned? Site??\tx"})
          .endsWith(kClosing)
          .report(listing({"OAK01"})),
      BadInput("a file-size limit ends the run as a failed write")
          .data(manySeries(100))
          .shell("ulimit -f 2 &&")  // 512-byte blocks in a POSIX shell
          .status(2)
          .endsWith(kCodePrompt + "M\n *** Cannot write VESKA.OUT: File too large ***\n")
          .report(cutAt(1024)),
  };
#ifdef VESKA_FAULT_SHIM
  const std::string shim = std::string("LD_PRELOAD='") + VESKA_FAULT_SHIM + "' ";
  cases.push_back(BadInput("a read error in a data file ends the run and marks the report")
                      .data(oak + elm)
                      .shell(shim + "VESKA_FAIL_READ_OF=data.rwl VESKA_FAIL_READ_AFTER=" + std::to_string(oak.size()))
                      .status(2)
                      .endsWith(kCodePrompt + "M\n *** Cannot read data.rwl: Input/output error ***\n")
                      .report(exactly(kIncomplete)));
  cases.push_back(BadInput("running out of memory ends the run and marks the report")
                      .data(oak)
                      .shell(shim + "VESKA_FAIL_NEW_OVER=15000")
                      .status(2)
                      .endsWith(kFilePrompt + "data.rwl\n *** Out of memory ***\n")
                      .report(exactly(kIncomplete)));
#endif
  return cases;
}

TEST(BadInputs, DataFiles) {
  for (const BadInput& c : fileCases()) check(c);
}

TEST(BadInputs, AFileWithoutReadPermissionIsAskedAgain) {
  if (::geteuid() == 0) GTEST_SKIP() << "root may read any file";
  check(BadInput("a file without read permission")
            .data(rwSeries("OAK01", 1900, widths(80, 1)))
            .answers("data.rwl\n/\n")
            .shows({kFilePrompt + "data.rwl\n" + kCannotOpen + kFilePrompt + "/\n"})
            .report(absent())
            .prepare([](const TempDir& dir) {
              std::filesystem::permissions(dir.file("data.rwl"), std::filesystem::perms::none);
            }));
}

TEST(BadInputs, ReportFileAndAnswers) {
  for (const BadInput& c : reportAndAnswerCases()) check(c);
}

TEST(BadInputs, FilesNamesAndFailures) {
  for (const BadInput& c : safetyCases()) check(c);
}

TEST(BadInputs, LayoutFaultsTheColumnsForgive) {
  for (const BadInput& c : forgivenCases()) check(c);
}

}  // namespace
}  // namespace veska::test
