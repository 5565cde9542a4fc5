// Inputs that gave plainly wrong results or harmed files, each run through the
// built terminal program: stars from short overlaps, a flat stretch wiping out
// a date, series lost behind an empty one or at a file's end, runs that read
// nothing and ended as normal, a report written through a link, control
// characters reaching the terminal, and tables misread behind a quoted comma.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "e2e/bad_input.h"
#include "input/input_fixture.h"
#include "support/transcript_texts.h"
#include "support/test_support.h"

namespace veska::test {
namespace {

using input::testing::ixLine;
using input::testing::rwLine;
using input::testing::rwSeries;

// After an empty line, from column 5, as every warning of the readers.
std::string warning(const std::string& text) { return "\n    *** " + text + " ***\n"; }

std::string noSeries(const std::string& name) { return warning("No series read from " + name); }
const std::string kNotPlain = warning("VESKA.OUT is a link or not a plain file: left as it is");

// Hundredths of a millimetre written as decimal millimetres.
std::string mm(int hundredths) {
  char text[16];
  std::snprintf(text, sizeof text, "%d.%02d", hundredths / 100, hundredths % 100);
  return text;
}

// A CSV table: the header line as given, then one row per year from
// `firstYear`, the year first and then each column's cell of that year.
std::string csv(const std::string& header, int firstYear, const std::vector<std::vector<std::string>>& columns,
                const std::string& separator = ",") {
  std::string out = header + "\n";
  for (std::size_t row = 0; !columns.empty() && row < columns[0].size(); ++row) {
    out += std::to_string(firstYear + static_cast<int>(row));
    for (const auto& column : columns) out += separator + column[row];
    out += "\n";
  }
  return out;
}

std::vector<std::string> cells(const std::vector<int>& hundredths) {
  std::vector<std::string> out;
  for (int v : hundredths) out.push_back(mm(v));
  return out;
}

// One Heidelberg block: its Key=Value lines, then the values, ten a line.
std::string block(const std::vector<std::string>& keys, const std::vector<int>& values) {
  std::string out = "HEADER:\n";
  for (const std::string& key : keys) out += key + "\n";
  out += "DATA:Single\n";
  for (std::size_t k = 0; k < values.size(); ++k) out += std::to_string(values[k]) + (k % 10 == 9 ? "\n" : " ");
  return out + "\n";
}

std::vector<int> withValue(std::vector<int> values, std::size_t at, int value) {
  values[at] = value;
  return values;
}

// An index series: the first line's years behind the filler, then whole
// decades; `marker` false leaves the file ending on the decade's last year.
std::string indexSeries(const std::string& id, int decade, int filler, int decades, bool marker) {
  std::vector<int> first(static_cast<std::size_t>(filler), 9990);
  for (int k = filler; k < 10; ++k) first.push_back(950 + 10 * k);
  std::string out = ixLine(id, decade + filler, first);
  for (int d = 1; d <= decades; ++d) {
    std::vector<int> values;
    for (int k = 0; k < 10; ++k) values.push_back(900 + 37 * ((d * 10 + k) % 7));
    out += ixLine(id, decade + 10 * d, values);
  }
  if (marker) out += ixLine(id, decade + 10 * (decades + 1), {9990});
  return out;
}

const std::string kOak = rwSeries("OAK01", 1900, widths(80, 1));
const std::string kElm = rwSeries("ELM02", 1951, widths(70, 2));

std::vector<BadInput> matchCases() {
  // The floating piece B is 100 rings of A from A's 51st on, padded behind
  // its end with 100 zeros as a spreadsheet pads a column: its true place is
  // B's year 1150 on A's 1200, over 150 rings.
  const std::vector<int> a = widths(200, 7);
  std::vector<std::string> b = cells(std::vector<int>(a.begin() + 50, a.begin() + 150));
  b.resize(200, "0");
  return {
      BadInput("a series under 50 rings is read and listed, named, and matched nowhere")
          .data(rwSeries("SHORT01", 1900, widths(3, 5)) + rwSeries("OAK01", 1900, widths(200, 1)))
          .shows({kCodePrompt + "M\n" + warning("Series SHORT01 : 3 rings, fewer than 50: not matched") +
                      kDatedPrompt,
                  " Series   1 SHORT01  and   2 OAK01    T=-10.0  with   0 overlap\n"})
          .endsWith(kClosing)
          .report(listing({"SHORT01", "OAK01"})),
      BadInput("a -999 is a missing ring: the series is matched over its longest stretch, judged by its rings")
          .data(rwSeries("GAPPY", 1900, withValue(widths(60, 5), 10, -999)) + rwSeries("OAK01", 1900, widths(200, 1)))
          .shows({kCodePrompt + "M\n" +
                      warning("Series GAPPY   : missing values (below 0) in 1 of 60 years: used 1911 to 1959") +
                      warning("Series GAPPY   : 49 rings, fewer than 50: not matched") + kDatedPrompt,
                  " Series   1 GAPPY    and   2 OAK01    T=-10.0  with   0 overlap\n"})
          .endsWith(kClosing)
          .report(listing({"GAPPY", "OAK01"})),
      BadInput("49 rings are too few; 50 are matched over 50")
          .data(rwSeries("SHORT49", 1900, widths(49, 5)) + rwSeries("JUST50", 1900, widths(50, 6)) +
                rwSeries("OAK01", 1900, widths(200, 1)))
          .shows({warning("Series SHORT49 : 49 rings, fewer than 50: not matched") + kDatedPrompt,
                  " Series   1 SHORT49  and   2 JUST50   T=-10.0  with   0 overlap\n",
                  " Series   1 SHORT49  and   3 OAK01    T=-10.0  with   0 overlap\n",
                  " Series   2 JUST50   and   3 OAK01    T="})
          .lacks({"JUST50  : 50 rings"})
          .endsWith(kClosing)
          .report(listing({"SHORT49", "JUST50", "OAK01"})),
      BadInput("zeros padding a column behind its end do not wipe out its date")
          .data(csv("Year,B,A", 1001, {b, cells(a)}))
          .shows({" Series   1 B        and   2 A        T=", "* with 150 overlap\n"})
          .lacks({"NaN"})
          .endsWith(kClosing)
          .report(listing({"B", "A"})),
  };
}

std::vector<BadInput> noSeriesCases() {
  std::string gzip = "\x1F\x8B\x08\x00\x00\x00\x00\x00\x00\x03";
  for (int k = 0; k < 300; ++k) gzip.push_back(static_cast<char>(0x80 + (k * 37) % 128));
  const std::string indexFile = indexSeries("IDX001", 1980, 5, 8, true);
  return {
      BadInput("an empty file ends the run after its listing")
          .data("")
          .answers("data.rwl\nM\n\n")
          .status(3)
          .endsWith(kCodePrompt + "M\n" + noSeries("data.rwl") + "\n")
          .report(listing({})),
      BadInput("a file of titles only names the file as typed")
          .data("Site: Nowhere\nSpecies: oak\n")
          .answers("./data.rwl   \nM\n\n")
          .status(3)
          .endsWith(" Species: oak" + std::string(68, ' ') + "\n" + noSeries("./data.rwl") + "\n")
          .report(listing({})),
      BadInput("an index file answered M")
          .data(indexFile)
          .answers("data.rwl\nM\n\n")
          .status(3)
          .endsWith(noSeries("data.rwl") + "\n")
          .report(listing({})),
      BadInput("a gzip file given as data")
          .data(gzip)
          .answers("data.rwl\nM\n\n")
          .status(3)
          .endsWith(noSeries("data.rwl") + "\n")
          .report(listing({})),
      BadInput("a CSV table of a header only")
          .data("Year,OAK01,OAK02\n")
          .answers("data.rwl\nM\n\n")
          .status(3)
          .endsWith(" Reading a CSV table\n" + noSeries("data.rwl") + "\n")
          .report(listing({})),
      BadInput("a Heidelberg file whose every block is refused")
          .data(block({"Length=60"}, widths(60, 1)) + block({"KeyCode=OAK01", "Length=61"}, widths(60, 1)))
          .answers("data.rwl\nM\n\n")
          .status(3)
          .endsWith(warning("Series OAK01    has a Length that disagrees with its data: not loaded") +
                    noSeries("data.rwl") + "\n")
          .report(listing({})),
      BadInput("a dated file that gives no series ends the run after the undated listing")
          .data(kOak)
          .answers("data.rwl\nM\nY\nempty.rwl\nM\n\n")
          .status(3)
          .endsWith(kFilePrompt + "empty.rwl\n" + kCodePrompt + "M\n" + noSeries("empty.rwl") + "\n")
          .prepare([](const TempDir& dir) { writeFile(dir.file("empty.rwl"), ""); })
          .report(listing({"OAK01"})),
      BadInput("answers that run out at that pause end it with the same status")
          .data("")
          .answers("data.rwl\nM\n")
          .status(3)
          .endsWith(noSeries("data.rwl"))
          .report(listing({})),
  };
}

std::vector<BadInput> reportFileCases() {
  const std::string precious = "a file the user keeps\n";
  const auto stillLinked = [](const TempDir& dir) {
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("VESKA.OUT")));
  };
  return {
      BadInput("a symbolic link to another file is left as it is, and so is that file")
          .data(kOak)
          .status(2)
          .endsWith(kFilePrompt + "data.rwl\n" + kNotPlain)
          .report(exactly(precious))
          .prepare([precious](const TempDir& dir) {
            writeFile(dir.file("precious.txt"), precious);
            std::filesystem::create_symlink("precious.txt", dir.file("VESKA.OUT"));
          })
          .afterwards(stillLinked),
      BadInput("a dangling symbolic link creates nothing")
          .data(kOak)
          .status(2)
          .endsWith(kFilePrompt + "data.rwl\n" + kNotPlain)
          .report(absent())
          .prepare([](const TempDir& dir) { std::filesystem::create_symlink("planted.txt", dir.file("VESKA.OUT")); })
          .afterwards([stillLinked](const TempDir& dir) {
            stillLinked(dir);
            EXPECT_FALSE(std::filesystem::exists(dir.file("planted.txt")));
          }),
      BadInput("a link to a device is left as it is")
          .data(kOak)
          .status(2)
          .endsWith(kFilePrompt + "data.rwl\n" + kNotPlain)
          .prepare([](const TempDir& dir) { std::filesystem::create_symlink("/dev/null", dir.file("VESKA.OUT")); })
          .afterwards(stillLinked),
      BadInput("a FIFO is left as it is, at once")
          .data(kOak)
          .shell("timeout -s KILL 20")
          .status(2)
          .endsWith(kFilePrompt + "data.rwl\n" + kNotPlain)
          .prepare([](const TempDir& dir) { ASSERT_EQ(::mkfifo(dir.file("VESKA.OUT").c_str(), 0600), 0); })
          .afterwards([](const TempDir& dir) { EXPECT_TRUE(std::filesystem::is_fifo(dir.file("VESKA.OUT"))); }),
      BadInput("a folder is left as it is")
          .data(kOak)
          .status(2)
          .endsWith(kFilePrompt + "data.rwl\n" + kNotPlain)
          .prepare([](const TempDir& dir) { std::filesystem::create_directory(dir.file("VESKA.OUT")); })
          .afterwards([](const TempDir& dir) { EXPECT_TRUE(std::filesystem::is_directory(dir.file("VESKA.OUT"))); }),
      BadInput("a report with a second name is replaced by a new file; the other name keeps the old one")
          .data(kOak)
          .endsWith(kClosing)
          .report(listing({"OAK01"}))
          .prepare([precious](const TempDir& dir) {
            writeFile(dir.file("VESKA.OUT"), precious);
            std::filesystem::create_hard_link(dir.file("VESKA.OUT"), dir.file("kept.txt"));
          })
          .afterwards([precious](const TempDir& dir) {
            EXPECT_EQ(readFile(dir.file("kept.txt")), precious);
            EXPECT_EQ(std::filesystem::hard_link_count(dir.file("VESKA.OUT")), 1u);
          }),
  };
}

std::vector<BadInput> decadalCases() {
  const std::string endOnly = "MAP973  1980   999\n";
  const std::string noValues = std::string("EMPTY01").append(72, ' ') + "#\nN        0      1801  (10F8.3)\n";
  return {
      BadInput("a series that is only its end marker is skipped, and the file goes on")
          .data(kOak + endOnly + kElm)
          .shows({warning("Series MAP973   has no rings: skipped") + kDatedPrompt})
          .endsWith(kClosing)
          .report(listing({"OAK01", "ELM02"})),
      BadInput("a format-driven series of no values is skipped, and the file goes on")
          .data(kOak + noValues + kElm)
          .shows({warning("Series EMPTY01  has no rings: skipped") + kDatedPrompt})
          .endsWith(kClosing)
          .report(listing({"OAK01", "ELM02"})),
      BadInput("an index file's last series ending on a full decade is loaded without a word")
          .data(indexSeries("IDX001", 1980, 5, 8, true) + indexSeries("IDX002", 1700, 3, 9, false))
          .answers("data.rwl\nI\nN\n\n")
          .shows({kCodePrompt + "I\n" + kDatedPrompt})
          .lacks({"end marker"})
          .endsWith(kClosing)
          .report(listing({"IDX001", "IDX002"})),
  };
}

std::vector<BadInput> terminalCases() {
  // A series without its end marker whose identifier begins with CSI, as
  // U+009B in UTF-8.
  std::string unfinished = rwSeries("@[2JOAK", 1900, widths(60, 3));
  unfinished.erase(unfinished.rfind("@[2JOAK"));
  unfinished.replace(0, 1, "\xC2\x9B");
  for (std::size_t at = unfinished.find("\n@"); at != std::string::npos; at = unfinished.find("\n@", at))
    unfinished.replace(at + 1, 1, "\xC2\x9B");
  return {
      BadInput("C1 and bidirectional controls reach the terminal as question marks")
          .data("Site\x9B" "1;31m red\x85 end\n"                           // Latin-1: CSI and NEL
                "Bidi \xE2\x80\xAE" "evil\xE2\x80\xAC, \xE2\x81\xA6x\xE2\x81\xA9\xE2\x80\x8F and \xC2\x9B" "2J\n" +
                kOak + unfinished)
          .answers("\xE2\x80\xAE" "lmx.rwl\n\x9B" "data.rwl\ndata.rwl\nM\nN\n\n")
          .shows({kFilePrompt + "?lmx.rwl\n" + kCannotOpen, kFilePrompt + "?data.rwl\n" + kCannotOpen,
                  " Title of data:\n Site?1;31m red? end ", " Title of data:\n Bidi ?evil?, ?x?? and ?2J ",
                  warning("Series ?[2JOAK  has no end marker: not loaded")})
          .endsWith(kClosing)
          .report(listing({"OAK01"})),
      BadInput("a closed standard input is an empty one")
          .data(kOak)
          .shell("timeout -s KILL 20 sh -c 'exec \"$0\" <&-'")
          .status(1)
          .endsWith(kFilePrompt + "\n" + kEndOfInput)
          .report(absent()),
      // Opened on the free descriptor 1, the report would receive the console.
      BadInput("a closed standard output puts nothing into the report")
          .data(kOak)
          .shell("timeout -s KILL 20 sh -c 'exec \"$0\" >&-'")
          .report(listing({"OAK01"}))
          .lacks({"Ring widths", "Normal Termination"}),
  };
}

std::vector<BadInput> csvCases() {
  const std::vector<std::string> a = cells(widths(60, 1)), b = cells(widths(60, 2)), c = cells(widths(60, 3));
  const auto refused = [](const std::string& why) { return warning("CSV table, " + why + ": file not read"); };
  std::vector<std::string> tooLong = a;
  tooLong[4] = std::string(70000, '0') + "1.5";
  return {
      BadInput("quoted headers with commas inside, as Python's csv module writes them")
          .data(csv("\"Year\",\"OAK,01\",\"OAK\"\"2\",\"OAK\n03\"", 1901, {a, b, c}))
          .shows({" Reading a CSV table\n" + kDatedPrompt})
          .endsWith(kClosing)
          .report(listing({"OAK,01", "OAK\"2", "OAK 03"})),
      BadInput("quoted cells, blanks around them, and a quoted separator in a semicolon table")
          .data(csv("Year;\"A\" ; \"B;2\"", 1901, {cells(widths(60, 1)), cells(widths(60, 2))}, ";"))
          .shows({" Reading a CSV table\n" + kDatedPrompt})
          .endsWith(kClosing)
          .report(listing({"A", "B;2"})),
      BadInput("decimal commas in a comma table give rows with more cells than the header")
          .data("Year,OAK01\n1901,1,20\n1902,0,57\n")
          .answers("data.rwl\nM\n")
          .status(3)
          .endsWith(" Reading a CSV table\n" + refused("row 2: the row has more cells than the header"))
          .report(empty()),
      BadInput("empty cells behind the last column are no further cells")
          .data(csv("Year,OAK01,OAK02", 1901, {a, b, std::vector<std::string>(60, "")}))
          .endsWith(kClosing)
          .report(listing({"OAK01", "OAK02"})),
      BadInput("a quote that is never closed")
          .data("Year,\"OAK01\n" + csv("x", 1901, {a}).substr(2))
          .answers("data.rwl\nM\n")
          .status(3)
          .endsWith(refused("row 1: a quoted cell is not closed"))
          .report(empty()),
      BadInput("a row longer than the line reader keeps is refused, not cut")
          .data(csv("Year,OAK01", 1901, {tooLong}))
          .answers("data.rwl\nM\n")
          .status(3)
          .endsWith(refused("row 6: the row is longer than 64 KiB"))
          .report(empty()),
      BadInput("the year column in capitals")
          .data(csv("YEAR,OAK01", 1901, {a}))
          .shows({" Reading a CSV table\n" + kDatedPrompt})
          .endsWith(kClosing)
          .report(listing({"OAK01"})),
      BadInput("the year column anywhere")
          .data([&] {
            std::string out = "OAK01,year,OAK02\n";
            for (std::size_t k = 0; k < a.size(); ++k) out += a[k] + "," + std::to_string(1901 + k) + "," + b[k] + "\n";
            return out;
          }())
          .shows({" Reading a CSV table\n" + kDatedPrompt})
          .endsWith(kClosing)
          .report(listing({"OAK01", "OAK02"})),
      BadInput("two year columns")
          .data(csv("Year,OAK01,Year", 1901, {a, a}))
          .answers("data.rwl\nM\n")
          .status(3)
          .endsWith(refused("row 1: more than one Year column"))
          .report(empty()),
  };
}

std::vector<BadInput> valueCases() {
  const std::vector<int> good = widths(60, 1);
  const std::vector<std::string> a = cells(good);
  std::vector<std::string> infinite = a, overflow = a, huge = a;
  infinite[20] = "inf";
  overflow[30] = "1e999";
  huge[40] = "1000000.5";
  const auto notLoaded = [](const std::string& id8, const std::string& why) {
    return warning("Series " + id8 + " " + why + ": not loaded");
  };
  const std::string outside = "has a year outside -9999 to 99999";
  return {
      BadInput("CSV series with an infinite or a huge value are refused one by one")
          .data(csv("Year,INF,OVER,HUGE,OAK01", 1901, {infinite, overflow, huge, a}))
          .shows({notLoaded("INF     ", "has a value that is not finite"),
                  notLoaded("OVER    ", "has a value that is not finite"),
                  notLoaded("HUGE    ", "has a value above 1000000 mm") + kDatedPrompt})
          .endsWith(kClosing)
          .report(listing({"OAK01"})),
      BadInput("a CSV year beyond what the report can show")
          .data(csv("Year,OAK01", 99950, {a}))
          .answers("data.rwl\nM\n")
          .status(3)
          .endsWith(warning("CSV table, row 52: the year is outside -9999 to 99999: file not read"))
          .report(empty()),
      BadInput("a CSV year with a blank inside")
          .data("Year,OAK01\n1 901,1.5\n")
          .answers("data.rwl\nM\n")
          .status(3)
          .endsWith(warning("CSV table, row 2: the year is no whole number: file not read"))
          .report(empty()),
      BadInput("Heidelberg series with values or years veska cannot use are refused one by one")
          .data(block({"KeyCode=HUGE", "Length=60", "Unit=mm"}, withValue(good, 7, 1000001)) +
                block({"KeyCode=EARLY", "DateBegin=-10000", "Length=60"}, good) +
                block({"KeyCode=LATE", "DateBegin=99950", "Length=60"}, good) +
                block({"KeyCode=BLANKS", "DateBegin=1 5 0 0", "Length=60"}, good) +
                block({"KeyCode=SIGN", "DateBegin=-", "Length=60"}, good) +
                block({"KeyCode=LENGTH", "DateBegin=1500", "Length=6 0"}, good) +
                block({"KeyCode=OAK01", "DateBegin=1500", "Length=60"}, good))
          .shows({" Reading a Heidelberg file\n", notLoaded("HUGE    ", "has a value above 1000000 mm"), notLoaded("EARLY   ", outside),
                  notLoaded("LATE    ", outside), notLoaded("BLANKS  ", "has an unreadable DateBegin"),
                  notLoaded("SIGN    ", "has an unreadable DateBegin"),
                  notLoaded("LENGTH  ", "has no readable Length") + kDatedPrompt})
          .endsWith(kClosing)
          .report(listing({"OAK01"})),
      BadInput("identifiers that are equal, or equal when cut to 8 characters, in a CSV table")
          .data(csv("Year,LONGNAME_A,LONGNAME_B,OAK01,OAK01", 1901, {a, a, a, a}))
          .shows({warning("Series LONGNAME_A and LONGNAME_B both read as LONGNAME"),
                  warning("Series OAK01 and OAK01 both read as OAK01") + kDatedPrompt})
          .endsWith(kClosing)
          .report(listing({"LONGNAME", "LONGNAME", "OAK01", "OAK01"})),
      BadInput("identifiers that collide in a Heidelberg file")
          .data(block({"KeyCode=SITE_OAK_1", "Length=60"}, good) + block({"KeyCode=SITE_OAK_2", "Length=60"}, good))
          .shows({warning("Series SITE_OAK_1 and SITE_OAK_2 both read as SITE_OAK") + kDatedPrompt})
          .endsWith(kClosing)
          .report(listing({"SITE_OAK", "SITE_OAK"})),
  };
}

TEST(SoundInputs, PlacementsHaveFiftyRingsAndNoNaN) {
  for (const BadInput& c : matchCases()) check(c);
}

TEST(SoundInputs, AFileThatGivesNoSeriesEndsTheRun) {
  for (const BadInput& c : noSeriesCases()) check(c);
}

TEST(SoundInputs, OnlyAPlainReportFileIsReplaced) {
  for (const BadInput& c : reportFileCases()) check(c);
}

TEST(SoundInputs, DecadalSeriesAreNotLostAtAnEmptyOneOrAtTheEnd) {
  for (const BadInput& c : decadalCases()) check(c);
}

TEST(SoundInputs, TheTerminalGetsNoControlsAndAClosedInputEndsTheRun) {
  for (const BadInput& c : terminalCases()) check(c);
}

TEST(SoundInputs, CsvTablesAreReadAsCsv) {
  for (const BadInput& c : csvCases()) check(c);
}

TEST(SoundInputs, ValuesYearsAndIdentifiersVeskaCannotUse) {
  for (const BadInput& c : valueCases()) check(c);
}

}  // namespace
}  // namespace veska::test
