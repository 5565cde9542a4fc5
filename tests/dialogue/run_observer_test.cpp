// What a run hands its observer matches what it wrote: every pair line of
// the report, in order, and each pair's three best placements found again
// among that pair's recomputed placements, with the same trust.
#include "dialogue/run_observer.h"

#include <gtest/gtest.h>

#include <sstream>

#include "dialogue/run_driver.h"
#include "match/pair_evidence.h"
#include "runtime/runtime.h"
#include "support/test_support.h"

namespace veska::dialogue {
namespace {

struct KeepingObserver : RunObserver {
  void matchPhaseWritten(const match::RunRecord& run) override {
    record = run;
    reportAtThatMoment = test::readFile("VESKA.OUT");
  }
  match::RunRecord record;
  std::string reportAtThatMoment;
};

std::vector<std::string> pairLinesOf(const std::string& report) {
  std::vector<std::string> lines;
  std::istringstream in(report);
  std::string line;
  // A pair line is 89 columns with a last ring in columns 21-25; the column
  // headers and separators have none.
  while (std::getline(in, line))
    if (line.size() == 89 && line.compare(0, 3, "   ") == 0 && line[24] >= '0' && line[24] <= '9') lines.push_back(line);
  return lines;
}

TEST(RunObserver, MarkedPlacementsOfEveryPairOfARealFileAreTheReportLines) {
  const auto real = test::realDataDir();
  if (!real) GTEST_SKIP() << "the shared real data files are not present beside the checkout";
  test::TempDir dir;
  test::ScriptedConsole console({(*real / "chil015_ficu_tiuchue_rwl.rwl").string(), "M", "N", ""});
  runtime::Runtime rt(console);
  KeepingObserver observer;
  try {
    runCrossdating(rt, &observer);
  } catch (const runtime::RunEnded& ended) {
    ASSERT_EQ(ended.status, runtime::kExitNormal) << console.output;
  }
  // The report was on disk, whole, when the observer heard of it.
  const std::vector<std::string> lines = pairLinesOf(observer.reportAtThatMoment);
  EXPECT_EQ(lines, pairLinesOf(test::readFile("VESKA.OUT")));
  const match::RunRecord& run = observer.record;
  ASSERT_EQ(run.undated.size(), 33u);
  ASSERT_EQ(run.pairs.size(), 33u * 32u / 2u);
  ASSERT_EQ(lines.size(), run.pairs.size());
  for (std::size_t k = 0; k < run.pairs.size(); ++k) {
    const match::RunPair& pair = run.pairs[k];
    SCOPED_TRACE(lines[k]);
    ASSERT_EQ(run.pairLineText(pair), lines[k]);
    const match::PairEvidence ev = match::PairEvidence::compute(run.firstOf(pair), run.secondOf(pair));
    for (int j = 0; j < 3; ++j) {
      const std::optional<int> marked = ev.marked()[static_cast<std::size_t>(j)];
      ASSERT_TRUE(marked);
      EXPECT_EQ(ev.slotText(*marked), lines[k].substr(20 + 23 * static_cast<std::size_t>(j), 23)) << "slot " << j + 1;
    }
    EXPECT_EQ(pair.best.trust.placements, static_cast<int>(ev.placements().size()));
    EXPECT_EQ(pair.best.trust.pChance, ev.best().trust.pChance);
    EXPECT_EQ(pair.best.trust.margin, ev.best().trust.margin);
  }
  // The values as read are kept apart from the values compared.
  EXPECT_NE(run.undated[0].asRead, run.undated[0].compared);
  EXPECT_EQ(run.undated[0].asRead.size(), run.undated[0].compared.size());
}

}  // namespace
}  // namespace veska::dialogue
