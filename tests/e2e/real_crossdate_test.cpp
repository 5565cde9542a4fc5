// Real measurements dated against their own site chronology: every series
// carries its true years, so its best placement must put its last compared
// ring on the same calendar year as the chronology's.
#include <gtest/gtest.h>

#include <cctype>
#include <sstream>

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

}  // namespace
}  // namespace veska::test
