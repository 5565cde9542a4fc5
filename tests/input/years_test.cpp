// The years of a ring-width series' later lines: checked against the decade
// they should start, said once on the console when they do not, and the
// series loaded as read all the same.
#include "input_fixture.h"

namespace veska::input::testing {
namespace {

using YearsTest = InputTest;

std::string decades(const std::string& id, std::initializer_list<int> years) {
  std::string out;
  for (int y : years) out += rwLine(id, y, {100, 101, 102, 103, 104, 105, 106, 107, 108, 109});
  return out;
}

std::string jump(const char* id8, int year, int expected) {
  return cat({"    *** Series ", id8, ": line for ", std::to_string(year), " where ", std::to_string(expected),
              " was expected ***"});
}

std::vector<int> widths(int n) { return std::vector<int>(static_cast<std::size_t>(n), 150); }

TEST_F(YearsTest, AJumpInTheYearsIsSaidOncePerSeries) {
  const std::string dotted = "XEP23b  1860   100   101   1.2   103   104   105   106   107   108   109";
  // "XEP23b<TAB>1850": the tab takes two columns' place, so the year field
  // (columns 9-12) holds "850 ".
  const std::string tabbed = cat({"XEP23b\t", rwLine("", 1850, {100, 999}).substr(8)});
  struct Row {
    const char* what;
    std::string data;
    std::vector<std::string> series;  // identifier, first year, count: loaded as read
    std::vector<std::string> console;
  };
  const Row rows[] = {
      {"a missing decade", decades("A", {1850, 1870}) + rwLine("A", 1880, {999}), {"A 1850 20"}, {"", jump("A       ", 1870, 1860)}},
      {"a line lost as a title", decades("XEP23b", {1850}) + dotted + "\n" + rwLine("XEP23b", 1870, {100, 999}),
       {"XEP23b 1850 11"}, {"", " Title of data:", echoed(dotted), "", jump("XEP23b  ", 1870, 1860)}},
      {"a tab before the year", decades("XEP23b", {1840}) + tabbed, {"XEP23b 1840 11"},
       {"", jump("XEP23b  ", 850, 1850)}},
      {"a repeated decade, then a second jump: said once", decades("A", {1855, 1860, 1860, 1990}) + rwLine("A", 1880, {999}),
       {"A 1855 35"}, {"", jump("A       ", 1860, 1870)}},
      {"each series for itself", decades("A", {1850, 1870}) + rwLine("A", 1880, {999}) + rwLine("B", 1901, {100}) +
           rwLine("B", 1900, {999}),
       {"A 1850 20", "B 1901 9"}, {"", jump("A       ", 1870, 1860), "", jump("B       ", 1900, 1910)}},
      {"later lines' identifiers are not checked", rwLine("ONE", 1998, {100, 101}) + rwLine("TWO", 2000, {102, 999}),
       {"ONE 1998 3"}, {}},
      {"a first year in the middle of its decade", rwSeries("A", 1985, widths(30)), {"A 1985 30"}, {}},
      {"negative years up to the decade around year 0", rwSeries("BC", -25, widths(40)), {"BC -25 40"}, {}},
      {"years in the wide field, with the minus sign in column 8", rwSeries("OAK", -1234, widths(30)),
       {"OAK -1234 30"}, {}},
      {"an identifier whose 8th character is \"-\" reads its years as negative",
       cat({"ABCDEFG-1985   100   101   102   103   104\n", decades("ABCDEFG-", {1990}), rwLine("ABCDEFG-", 2000, {999})}),
       {"ABCDEFG -1985 15"}, {"", jump("ABCDEFG ", -1990, -1980)}},
      {"blank lines behind the last series are no series", rwSeries("A", 1990, widths(3)) + "\n\n  \t  \n",
       {"A 1990 3"}, {}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    openData(r.data);
    EXPECT_EQ(readAll(), r.series);
    EXPECT_EQ(consoleLines(), r.console);
  }
}

}  // namespace
}  // namespace veska::input::testing
