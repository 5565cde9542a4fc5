// The search over a library, its ranking, consensus and library p, on
// series whose true years are known.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "library/library.h"
#include "library/library_result.h"
#include "library/library_summary.h"
#include "library/reference_file.h"
#include "library/library_search.h"
#include "match/pair_match.h"
#include "library/library_fixture.h"
#include "records/text.h"

namespace veska::library {
namespace {

using testing::Forest;

TEST(LibrarySearch, ThePieceComesBackToItsYearsAndTheUnrelatedReferencesStayBehind) {
  Forest oaks(1400, 600, 1);
  Forest pines(1400, 600, 2);
  std::vector<Reference> refs = {
      testing::reference("pines.crn", 1400, pines.widths(1400, 600, 0.5f), GeoPoint{40, -105}, "PIAR"),
      testing::reference("oaks-near.crn", 1400, oaks.widths(1400, 600, 0.5f), GeoPoint{51.0, 4.0}),
      testing::reference("oaks-far.crn", 1500, oaks.widths(1500, 500, 0.8f), GeoPoint{52.0, 4.0}),
      testing::reference("short.crn", 1700, oaks.widths(1700, 40, 0.5f)),  // under 50 rings: no placement
  };
  // 150 rings of 1801..1950, numbered 1..150.
  const std::vector<UndatedSeries> series = {testing::undated("PIECE", oaks.widths(1801, 150, 1.0f))};

  std::size_t calls = 0;
  const auto outcomes = searchLibrary(series, refs, [&](std::size_t done, std::size_t total) {
    EXPECT_EQ(done, ++calls);
    EXPECT_EQ(total, refs.size());
    return true;
  });
  ASSERT_EQ(outcomes.size(), 1u);
  ASSERT_EQ(outcomes[0].size(), refs.size());
  const SeriesJudgement j = judgeSeries(outcomes[0], refs);

  EXPECT_EQ(j.searched, 3);
  ASSERT_NE(j.best(), nullptr);
  EXPECT_EQ(j.best()->outcome.endYear, 1950);
  EXPECT_EQ(j.rows[1].outcome.endYear, 1950);
  EXPECT_TRUE(j.dated);
  EXPECT_EQ(j.best()->verdict, "dated");
  EXPECT_EQ(refs[j.rows[2].outcome.reference].name, "pines.crn");
  EXPECT_FALSE(j.rows[3].outcome.placed);
  EXPECT_EQ(j.rows[3].verdict, "");
  // Distances from the best reference: 0 to itself, one degree of latitude to its neighbour.
  EXPECT_EQ(*j.rows[0].distanceKm, 0.0);
  EXPECT_NEAR(*j.rows[1].distanceKm, 111.2, 0.1);
  EXPECT_FALSE(j.rows[3].distanceKm.has_value());
  // Both oak references propose 1950; no rival year.
  ASSERT_FALSE(j.consensus.empty());
  EXPECT_EQ(j.consensus[0].endYear, 1950);
  EXPECT_EQ(j.consensus[0].references, 2);
  EXPECT_NEAR(*j.consensus[0].medianDistanceKm, 111.2 / 2, 0.1);
  EXPECT_TRUE(j.rivals.empty());
  // The search's own t at its best placement is the t of the placement at that end year.
  for (const RankedRow& row : j.rows) {
    if (!row.outcome.placed) continue;
    EXPECT_EQ(tAtEndYear(series[0], refs[row.outcome.reference], row.outcome.endYear), row.outcome.t);
  }
  EXPECT_TRUE(std::isnan(tAtEndYear(series[0], refs[0], 1400 + 20)));  // 21 rings of overlap
}

TEST(LibrarySearch, AStoppedSearchHoldsTheReferencesSearchedSoFar) {
  Forest oaks(1400, 300, 3);
  std::vector<Reference> refs;
  for (int k = 0; k < 4; ++k) refs.push_back(testing::reference(std::string(1, static_cast<char>('a' + k)), 1400, oaks.widths(1400, 300, 1)));
  const std::vector<UndatedSeries> series = {testing::undated("A", oaks.widths(1450, 100, 1)),
                                             testing::undated("B", oaks.widths(1500, 100, 1))};
  const auto outcomes = searchLibrary(series, refs, [](std::size_t done, std::size_t) { return done < 2; });
  ASSERT_EQ(outcomes.size(), 2u);
  EXPECT_EQ(outcomes[0].size(), 2u);
  EXPECT_EQ(outcomes[1].size(), 2u);
}

TEST(LibraryP, SidakOverTheReferencesSearched) {
  EXPECT_DOUBLE_EQ(libraryP(0.01, 1), 0.01);
  EXPECT_NEAR(libraryP(0.01, 2), 1 - 0.99 * 0.99, 1e-15);
  EXPECT_NEAR(libraryP(1e-6, 410), 410e-6, 1e-7);  // small p: about R times p
  EXPECT_EQ(libraryP(0.0, 410), 0.0);
  EXPECT_EQ(libraryP(1.0, 410), 1.0);
  // More references searched never make a date more certain.
  for (int r = 1; r < 1000; r *= 3) EXPECT_LE(libraryP(0.001, r), libraryP(0.001, r + 1));
}

TEST(Consensus, RivalYearsAndTheAbsenceOfAReliableDate) {
  // Hand-made outcomes: two references agree on 1700, the best one on 1750.
  std::vector<Reference> refs;
  for (int k = 0; k < 4; ++k) refs.push_back(testing::reference(std::string(1, static_cast<char>('a' + k)), 1400, std::vector<float>(60, 1.0f)));
  const auto outcome = [](std::size_t ref, double p, float t, std::int64_t year) {
    PairOutcome o;
    o.reference = ref;
    o.placements = 500;
    o.placed = true;
    o.pChance = p;
    o.t = t;
    o.overlap = 100;
    o.endYear = year;
    return o;
  };
  const SeriesJudgement j = judgeSeries(
      {outcome(0, 0.04, 4.0f, 1700), outcome(1, 0.004, 5.0f, 1750), outcome(2, 0.03, 4.1f, 1700), outcome(3, 0.5, 2.0f, 1600)},
      refs);
  EXPECT_EQ(j.rows[0].outcome.reference, 1u);
  EXPECT_EQ(j.rows[1].outcome.reference, 2u);
  // 0.004 over 4 references: a library p of 1 - 0.996^4, about 0.016.
  EXPECT_NEAR(j.rows[0].libraryP, 1 - std::pow(0.996, 4), 1e-12);
  EXPECT_FALSE(j.dated);
  ASSERT_EQ(j.rivals.size(), 1u);
  EXPECT_EQ(j.rivals[0].endYear, 1700);
  EXPECT_EQ(j.rivals[0].references, 2);
  ASSERT_EQ(j.consensus.size(), 2u);
  EXPECT_EQ(j.consensus[0].endYear, 1700);
  EXPECT_FALSE(j.consensus[0].medianDistanceKm.has_value());
  // The labels follow the library p, as the summary does: 0.016 is a
  // candidate; a p_chance of 0.03 over 4 references (library p 0.115) is not.
  EXPECT_EQ(j.rows[0].verdict, "candidate");
  EXPECT_EQ(j.rows[1].verdict, "chance");
  EXPECT_EQ(j.rows[3].verdict, "chance");
}

TEST(LibrarySearch, EachPairReadsAsTheRunsPairTableReadsIt) {
  // The same t, placement and p_chance as the run's own search of the pair
  // (the reference as its dated series), so that a library row and that
  // pair's window never disagree.
  Forest oaks(1400, 500, 4);
  const std::vector<Reference> refs = {testing::reference("oaks.crn", 1400, oaks.widths(1400, 500, 0.5f)),
                                       testing::reference("noise.crn", 1400, Forest(1400, 500, 5).signal)};
  const std::vector<UndatedSeries> series = {testing::undated("PIECE", oaks.widths(1601, 120, 1.5f))};
  const auto outcomes = searchLibrary(series, refs);
  const auto work = match::makeMatchWork();
  for (std::size_t i = 0; i < refs.size(); ++i) {
    SCOPED_TRACE(refs[i].name);
    const match::BestThree best = match::searchPair({refs[i].compared, refs[i].firstYear},
                                                    {series[0].compared, series[0].firstYear}, *work,
                                                    match::MatchRoutine::Direct, match::Isa::Sse2);
    const PairOutcome& o = outcomes[0][i];
    ASSERT_TRUE(o.placed);
    EXPECT_EQ(o.t, best.slots[0].tStatistic);
    EXPECT_EQ(o.referenceLastRing, best.slots[0].lastRingFirst);
    EXPECT_EQ(o.pChance, best.trust.pChance[0]);
    EXPECT_EQ(o.placements, best.trust.placements);
  }
  EXPECT_EQ(outcomes[0][0].endYear, 1720);
  EXPECT_LT(outcomes[0][0].pChance, 1e-3);
  EXPECT_GT(outcomes[0][1].pChance, 0.01);
}

}  // namespace
}  // namespace veska::library

namespace veska::library {
namespace {

TEST(LibrarySearch, NoPlacementPutsTheLastRingAfterThisYearAndTheLeftOutAreCounted) {
  // A piece of 1881-1980 (100 rings) against a reference of 1700-1999: its
  // placements end from 1749 to 2049, 301 of them.
  Forest oaks(1700, 300, 21);
  const std::vector<Reference> refs = {testing::reference("oaks.crn", 1700, oaks.widths(1700, 300, 0.3f))};
  const std::vector<UndatedSeries> series = {testing::undated("PIECE", oaks.widths(1881, 100, 0.5f))};
  struct Case {
    std::int64_t latestYear;
    int leftOut;
    bool atItsYear;
  };
  for (const Case& c : {Case{2026, 2049 - 2026, true}, Case{1980, 2049 - 1980, true}, Case{1950, 2049 - 1950, false}}) {
    const auto outcomes = searchLibrary(series, refs, {}, c.latestYear);
    const PairOutcome& o = outcomes.at(0).at(0);
    EXPECT_EQ(o.laterLeftOut, c.leftOut) << c.latestYear;
    EXPECT_EQ(o.placements, 301 - c.leftOut) << c.latestYear;
    ASSERT_TRUE(o.placed) << c.latestYear;
    EXPECT_LE(o.endYear, c.latestYear);
    EXPECT_EQ(o.endYear == 1980, c.atItsYear) << c.latestYear;
    const SeriesJudgement j = judgeSeries(outcomes[0], refs);
    EXPECT_EQ(j.laterLeftOut, c.leftOut);
  }
}

TEST(LibrarySearch, ASeriesTheLibraryHoldsIsNamedAndThatReferenceLeftOutForIt) {
  // The undated file lies in the library folder as a ring-width file of
  // three trees: the site mean holds none of a tree's values, but the tree
  // is found all the same.
  Forest oaks(1500, 400, 22);
  FileContents site;
  for (const char* id : {"T1", "T2", "T3"}) {
    FileSeries s;
    s.series.id = records::fitRecord(records::fromUtf8(id), 8);
    s.series.firstYear = 1600;
    s.series.values = oaks.widths(1600, 200, 1.0f);
    site.series.push_back(s);
  }
  std::vector<Reference> refs = referencesOf("undated.rwl", site).references;
  refs.push_back(testing::reference("oaks.crn", 1500, oaks.widths(1500, 400, 0.3f)));
  const std::vector<float> tree = site.series[1].series.values;
  std::vector<float> altered = tree;  // identical stretches of 39 values at most
  for (std::size_t k = 0; k < altered.size(); k += 40) altered[k] += 0.01f;
  const std::vector<float> partly(tree.begin() + 100, tree.begin() + 160);  // 60 of its values

  Library library;
  library.references = refs;
  for (const auto& [values, found] : {std::pair{tree, true}, {altered, false}, {partly, true}}) {
    const std::vector<UndatedSeries> series = {testing::undated("T2", values)};
    const SeriesJudgement j = judgeSeries(searchLibrary(series, refs)[0], refs);
    EXPECT_EQ(j.holdingIt, found ? std::vector<std::size_t>{0} : std::vector<std::size_t>{});
    ASSERT_NE(j.best(), nullptr);
    EXPECT_EQ(library.references[j.best()->outcome.reference].name, found ? "oaks.crn" : "undated.rwl");
    EXPECT_EQ(j.best()->outcome.endYear, 1600 + 99 + (values.size() == 60 ? 60 : 100));
    const std::vector<std::string> lines = seriesSummary(series[0], j, library, 2);
    const bool named = std::any_of(lines.begin(), lines.end(), [](const std::string& line) {
      return line.find("found in the library: undated.rwl holds 50 or more of its values") != std::string::npos;
    });
    EXPECT_EQ(named, found);
  }
}

}  // namespace
}  // namespace veska::library
