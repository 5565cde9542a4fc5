// Real measurements dated against their own site chronology: every series
// carries its true years, so its best placement must put its last compared
// ring on the same calendar year as the chronology's.
#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <cstdio>
#include <sstream>

#include "dialogue/data_file.h"
#include "runtime/runtime.h"

#include "support/console_run.h"
#include "support/test_support.h"

namespace veska::test {
namespace {

TEST(RealCrossdating, EverySeriesFindsItsTrueYearsAgainstItsChronology) {
  const auto real = realDataDir();
  if (!real) GTEST_SKIP() << "the shared real data files are not present beside the checkout";
  TempDir dir;
  const std::string answers = (*real / "chil015_ficu_tiuchue_rwl.rwl").string() + "\nM\nY\n" +
                              (*real / "chil015_ficu_tiuchue_std.crn").string() + "\nI\n\n";
  const ConsoleRun run = runConsole(dir.path(), answers);
  ASSERT_EQ(run.status, 0) << run.output;

  std::istringstream report(readFile(dir.file("VESKA.OUT")));
  std::string line;
  int pairs = 0;
  while (std::getline(report, line)) {
    // A pair line: identifiers in 4-11 and 13-20, slot 1 from column 21.
    if (line.size() != 89 || !std::isdigit(static_cast<unsigned char>(line[24]))) continue;
    SCOPED_TRACE(line);
    ++pairs;
    EXPECT_EQ(std::stoi(line.substr(20, 5)), std::stoi(line.substr(25, 5)));
    EXPECT_EQ(line[11], '*');
  }
  EXPECT_EQ(pairs, 33);  // one chronology against the site's 33 measured series
}

// A floating piece of one of the Heidelberg file's own series, in the decadal
// layout, against the whole file as the dated series: the piece must land on
// its true years against the series it was cut from.
TEST(RealCrossdating, HeidelbergFileAsDatedSeriesDatesAPieceOfItsOwn) {
  const auto real = realDataDir();
  if (!real) GTEST_SKIP() << "the shared real data files are not present beside the checkout";
  TempDir dir;
  const auto heidelberg = *real / "doel1_qusp_shiptimbers_heidelberg.fh";
  input::SeriesTable table;
  {
    ScriptedConsole console({""});
    runtime::Runtime rt(console);
    ASSERT_TRUE(rt.open(runtime::Unit::UndatedSeries, heidelberg.string(), runtime::OpenFor::Reading).ok);
    table = dialogue::readSeriesFile(rt, runtime::Unit::UndatedSeries, input::Layout::RingWidths);
    rt.units().closeAll();
  }
  ASSERT_FALSE(table.empty());
  const input::Series& whole = table[0];
  constexpr std::size_t kFrom = 20, kCount = 100;
  ASSERT_GE(whole.values.size(), kFrom + kCount);
  // Years 1..100 in the decadal ring-width layout, hundredths of a mm.
  std::string piece = "A piece of the first timber\n";
  char cell[32];
  for (std::size_t k = 0; k <= kCount; ++k) {
    const int year = static_cast<int>(k) + 1;
    if (k == 0 || year % 10 == 0) {
      if (k != 0) piece += "\n";
      std::snprintf(cell, sizeof cell, "%-8s%4d", "PIECE", year);
      piece += cell;
    }
    const long n = k == kCount ? 999 : std::lround(whole.values[kFrom + k] * 100.0);
    std::snprintf(cell, sizeof cell, "%6ld", n);
    piece += cell;
  }
  writeFile(dir.file("piece.rwl"), piece + "\n");
  const ConsoleRun run = runConsole(dir.path(), "piece.rwl\nM\nY\n" + heidelberg.string() + "\nM\n\n");
  ASSERT_EQ(run.status, 0) << run.output;
  EXPECT_NE(run.output.find(" Reading a Heidelberg file"), std::string::npos);

  const std::string wholeId = records::toUtf8(whole.id);
  std::istringstream report(readFile(dir.file("VESKA.OUT")));
  std::string line;
  int found = 0;
  while (std::getline(report, line)) {
    // A pair line: the dated series first, then the piece; slot 1's last
    // compared rings in columns 21-25 (dated) and 26-30 (piece).
    if (line.size() != 89 || line.compare(3, 8, wholeId) != 0 || line.compare(12, 8, "PIECE   ") != 0) continue;
    SCOPED_TRACE(line);
    ++found;
    EXPECT_EQ(line[11], '*');
    EXPECT_EQ(std::stoi(line.substr(20, 5)), whole.firstYear + static_cast<int>(kFrom + kCount) - 1);
    EXPECT_EQ(std::stoi(line.substr(25, 5)), static_cast<int>(kCount));
  }
  EXPECT_EQ(found, 1);
}

}  // namespace
}  // namespace veska::test
