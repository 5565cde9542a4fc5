// One pair's placements recomputed for a closer look: the text line of a
// placement is the report's slot, laid out to the column.
#include "match/pair_evidence.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>

#include "match/correlation.h"
#include "match/match_fixtures.h"

namespace veska::match {
namespace {

RunSeries seriesOf(const char* id, std::int32_t firstYear, std::vector<float> values) {
  RunSeries s;
  s.id = std::u32string(id, id + std::char_traits<char>::length(id));
  s.id.resize(8, U' ');
  s.firstYear = firstYear;
  s.compared = values;
  s.asRead = std::move(values);
  return s;
}

// The slot as the report lays it out: last rings in 5 columns each, the
// overlap in 4, r in 4 columns with 2 decimals and no leading zero (a blank
// in its place when positive), t in 5 with 1 decimal.
std::string expectedLine(std::int64_t last1, std::int64_t last2, std::span<const float> x, std::span<const float> y) {
  const float r = correlate(x, y);
  const int m = static_cast<int>(x.size());
  char rText[16];
  std::snprintf(rText, sizeof rText, "%4.2f", static_cast<double>(r));
  std::string corr = rText;
  if (corr.compare(0, 3, "-0.") == 0) corr.erase(1, 1);  // four columns hold no leading zero
  if (corr[0] == '0') corr[0] = ' ';
  char line[64];
  std::snprintf(line, sizeof line, "%5lld%5lld%4d%s%5.1f", static_cast<long long>(last1), static_cast<long long>(last2),
                m, corr.c_str(), static_cast<double>(tStatistic(r, m)));
  return line;
}

TEST(PairEvidence, FirstLastAndBestPlacementsReadAsTheReportWritesThem) {
  std::mt19937 rng(7);
  const std::vector<float> second = test::randomSeries(rng, 120);  // years 1701-1820
  // The first series is the second's rings 31-90 with a little noise: it
  // belongs on the second's years 1731-1790.
  std::vector<float> first(second.begin() + 30, second.begin() + 90);
  std::normal_distribution<float> noise(0.0f, 0.4f);
  for (float& v : first) v += noise(rng);
  const RunSeries a = seriesOf("FLOAT1", 1, first);   // numbered from its own ring 1
  const RunSeries b = seriesOf("DATED1", 1701, second);
  const PairEvidence ev = PairEvidence::compute(a, b);
  const std::span<const float> x(first), y(second);

  ASSERT_EQ(ev.placements().size(), static_cast<std::size_t>(placementCount(60, 120)));
  // First: the first series' ring 1 on the 50th ring from the second's end.
  EXPECT_EQ(ev.slotText(0), expectedLine(50, 1820, x.subspan(0, 50), y.subspan(70, 50)));
  // Last: the first series' 50th ring from its end on the second's ring 1.
  const int last = static_cast<int>(ev.placements().size()) - 1;
  EXPECT_EQ(ev.slotText(last), expectedLine(60, 1750, x.subspan(10, 50), y.subspan(0, 50)));
  // Best: where the rings came from, and it is the report's slot 1.
  ASSERT_TRUE(ev.bestPlacement());
  const int best = *ev.bestPlacement();
  EXPECT_EQ(ev.slotText(best), expectedLine(60, 1790, x, y.subspan(30, 60)));
  EXPECT_EQ(ev.slotText(best), slotText(ev.bestSlot(0)));
  EXPECT_EQ(ev.slotText(best).size(), 23u);
}

TEST(PairEvidence, PlacementTableHasAHeaderNamingThePairAndOneTabSeparatedRowPerPlacement) {
  std::mt19937 rng(3);
  const PairEvidence ev =
      PairEvidence::compute(seriesOf("A", 1900, test::randomSeries(rng, 70)), seriesOf("B", 1880, test::randomSeries(rng, 90)));
  const std::string table = ev.placementTable("A", "B");
  std::vector<std::string> rows;
  for (std::size_t at = 0, end; (end = table.find('\n', at)) != std::string::npos; at = end + 1)
    rows.push_back(table.substr(at, end - at));
  ASSERT_EQ(rows.size(), ev.placements().size() + 1);
  EXPECT_EQ(rows[0], "last ring A\tlast ring B\toverlap\tr\tt");
  const PlacementRow& best = ev.placements()[static_cast<std::size_t>(*ev.bestPlacement())];
  const std::string& row = rows[static_cast<std::size_t>(*ev.bestPlacement()) + 1];
  EXPECT_EQ(row.substr(0, row.find('\t')), std::to_string(best.lastRingFirst));
  // r and t read back as the very floats the search computed.
  const std::size_t tAt = row.rfind('\t');
  EXPECT_EQ(std::stof(row.substr(tAt + 1)), best.tStatistic);
  for (const std::string& r : rows) EXPECT_EQ(std::count(r.begin(), r.end(), '\t'), 4) << r;
}

}  // namespace
}  // namespace veska::match
