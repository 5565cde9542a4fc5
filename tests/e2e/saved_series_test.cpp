// A floating series saved at one of its pair's placements, given back as the
// undated file against the same dated file: the same three placements come
// out, each its last ring compared moved by the years the placement gave the
// series, and the saved file puts its last ring in that placement's year,
// with the values as read, bit for bit.
#include <gtest/gtest.h>

#include <bit>
#include <cstring>

#include "dialogue/run_driver.h"
#include "dialogue/data_file.h"
#include "input/series_saving.h"
#include "match/pair_evidence.h"
#include "match/placed_series.h"
#include "runtime/runtime.h"
#include "support/test_support.h"

namespace veska::test {
namespace {

struct KeepingObserver : dialogue::RunObserver {
  void matchPhaseWritten(const match::RunRecord& run) override { record = run; }
  match::RunRecord record;
};

match::RunRecord runInProcess(std::vector<std::string> answers) {
  ScriptedConsole console(std::move(answers));
  runtime::Runtime rt(console);
  KeepingObserver observer;
  const int status = rt.execute([&](runtime::Runtime& r) { dialogue::runCrossdating(r, &observer); });
  EXPECT_EQ(status, runtime::kExitNormal) << console.output;
  return observer.record;
}

input::SeriesTable readFileAsUndated(const std::string& path) {
  ScriptedConsole console({""});
  runtime::Runtime rt(console);
  EXPECT_TRUE(rt.open(runtime::Unit::UndatedSeries, path, runtime::OpenFor::Reading).ok);
  input::SeriesTable table = dialogue::readSeriesFile(rt, runtime::Unit::UndatedSeries, input::Layout::RingWidths);
  rt.units().closeAll();
  return table;
}

struct Row {
  const char* undated;
  const char* undatedKind;
  const char* dated;
  const char* datedKind;
  std::size_t pair;  // in report order
  int slot;          // 0, 1, 2
  const char* savedAs;
};

TEST(SavedSeries, GivenBackItGetsTheSameThreePlacementsInItsNewYears) {
  const auto real = realDataDir();
  if (!real) GTEST_SKIP() << "the shared real data files are not present beside the checkout";
  const Row rows[] = {
      {"chil015_ficu_tiuchue_rwl.rwl", "M", "chil015_ficu_tiuchue_std.crn", "I", 0, 1, "saved.rwl"},
      {"chil015_ficu_tiuchue_rwl.rwl", "M", "chil015_ficu_tiuchue_std.crn", "I", 20, 2, "saved.fh"},
      {"doel1_qusp_shiptimbers_heidelberg.fh", "M", "doel1_qusp_shiptimbers_heidelberg.fh", "M", 73, 1, "saved.fh"},
      {"doel1_qusp_shiptimbers_heidelberg.fh", "M", "doel1_qusp_shiptimbers_heidelberg.fh", "M", 74, 2, "saved.rwl"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.undated) + " pair " + std::to_string(row.pair) + " -> " + row.savedAs);
    TempDir dir;
    const std::string undated = (*real / row.undated).string();
    const std::string dated = (*real / row.dated).string();
    const match::RunRecord before = runInProcess({undated, row.undatedKind, "Y", dated, row.datedKind, ""});
    ASSERT_LT(row.pair, before.pairs.size());
    const match::RunPair& pair = before.pairs[row.pair];
    const match::RunSeries& first = before.firstOf(pair);
    const match::RunSeries& second = before.secondOf(pair);
    const match::PairEvidence evidence = match::PairEvidence::compute(first, second);
    const std::optional<int> placement = evidence.marked()[static_cast<std::size_t>(row.slot)];
    ASSERT_TRUE(placement);
    const match::PlacementRow& at = evidence.placements()[static_cast<std::size_t>(*placement)];
    const std::int64_t lastYear = match::secondLastYear(first, at, std::nullopt);
    const auto placed = match::seriesEndingIn(second, lastYear);
    ASSERT_TRUE(placed);
    const std::int64_t shift = static_cast<std::int64_t>(placed->firstYear) - second.firstYear;
    EXPECT_NE(shift, 0) << "a placement that moves the series tests more";
    const input::SaveResult saved = input::saveSeriesFile(*placed, dir.file(row.savedAs).string(), {});
    ASSERT_TRUE(saved.ok) << saved.message;

    const input::SeriesTable back = readFileAsUndated(dir.file(row.savedAs).string());
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back[0].lastYear(), lastYear);
    EXPECT_EQ(back[0].id, second.id);
    ASSERT_EQ(back[0].values.size(), second.asRead.size());
    EXPECT_EQ(std::memcmp(back[0].values.data(), second.asRead.data(), second.asRead.size() * sizeof(float)), 0);

    const match::RunRecord after = runInProcess({row.savedAs, "M", "Y", dated, row.datedKind, ""});
    const std::size_t samePair = pair.first;  // the one undated series against each dated one
    ASSERT_LT(samePair, after.pairs.size());
    const match::BestThree& was = pair.best;
    const match::BestThree& now = after.pairs[samePair].best;
    EXPECT_EQ(now.star, was.star);
    for (std::size_t j = 0; j < 3; ++j) {
      SCOPED_TRACE("slot " + std::to_string(j + 1));
      EXPECT_EQ(now.slots[j].lastRingFirst, was.slots[j].lastRingFirst);
      EXPECT_EQ(now.slots[j].lastRingSecond, was.slots[j].lastRingSecond + shift);
      EXPECT_EQ(now.slots[j].overlap, was.slots[j].overlap);
      EXPECT_EQ(std::bit_cast<std::uint32_t>(now.slots[j].correlation), std::bit_cast<std::uint32_t>(was.slots[j].correlation));
      EXPECT_EQ(std::bit_cast<std::uint32_t>(now.slots[j].tStatistic), std::bit_cast<std::uint32_t>(was.slots[j].tStatistic));
    }
    // The placement saved is now the one where both last rings compared fall in one year.
    EXPECT_EQ(now.slots[static_cast<std::size_t>(row.slot)].lastRingSecond,
              now.slots[static_cast<std::size_t>(row.slot)].lastRingFirst);
  }
}

}  // namespace
}  // namespace veska::test
