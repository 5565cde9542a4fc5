// The break check in the pair window: a planted missed ring is told in
// words near its year with both parts' t and the corrected t, the running
// agreement is drawn at both parts' placements with the break between them,
// a clean pair says none, and the corrected series saves with the ring
// inserted and the years of the part before the break.
#include "hosts/window/model/pair_break_view.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "dialogue/data_file.h"
#include "hosts/window/model/placement_saving.h"
#include "records/text.h"
#include "runtime/runtime.h"
#include "stats/whitening.h"
#include "support/test_support.h"

namespace veska::window {
namespace {

match::RunSeries seriesOf(const char* id, std::int32_t firstYear, std::vector<float> widths) {
  match::RunSeries s;
  s.id = records::fitRecord(records::fromUtf8(id), 8);
  s.firstYear = firstYear;
  s.asRead = widths;
  s.compared = widths;
  stats::WhiteningWork work(static_cast<int>(widths.size()));
  stats::whiten(s.compared, work);
  s.unit = input::ValueUnit::Hundredths;
  return s;
}

// A dated series of 1601-2000 and a piece of a tree sharing its signal over
// 1661-1920 (r about 0.6), in hundredths of a mm.
struct Pair {
  match::RunSeries dated;
  std::vector<float> piece;
};
Pair makePair() {
  std::mt19937 rng(11);
  std::normal_distribution<double> normal;
  std::vector<double> signal(400);
  for (double& s : signal) s = normal(rng);
  std::vector<float> dated;
  std::vector<float> piece;
  for (int i = 0; i < 400; ++i) dated.push_back(std::round(100 * std::exp(0.3 * signal[i])) / 100);
  for (int j = 0; j < 260; ++j)
    piece.push_back(std::round(100 * std::exp(0.3 * (signal[60 + j] + 1.3 * normal(rng)) / 2.3)) / 100);
  return {seriesOf("DATED", 1601, dated), piece};
}

TEST(PairBreakView, AMissedRingIsToldNearItsYearWithBothPartsAndTheCorrectedT) {
  Pair p = makePair();
  p.piece.erase(p.piece.begin() + 150);  // the ring of 1811 absent: ring 151 is the first one off
  const PairWindowModel model(p.dated, seriesOf("PIECE", 1, p.piece), true);
  const match::BreakCheck& check = model.check().check;
  ASSERT_EQ(check.answer, match::CheckAnswer::Break);
  const CheckLines lines = checkLines(model);
  EXPECT_EQ(lines.headline.rfind("Break check: possible missing ring in PIECE near year 18", 0), 0u) << lines.headline;
  EXPECT_NE(lines.headline.find("(most likely between rings "), std::string::npos);
  EXPECT_NE(lines.detail.find("; corrected series t "), std::string::npos) << lines.detail;
  EXPECT_NEAR(check.breakRing, 151, 5);

  const Rect plot{100, 500, 800, 120};
  const AgreementPlot a = agreementPlot(model, plot);
  EXPECT_FALSE(a.before.empty());
  EXPECT_FALSE(a.after.empty());
  ASSERT_TRUE(a.breakAt && a.likely);
  EXPECT_GT(*a.breakAt, plot.left);
  EXPECT_LT(*a.breakAt, plot.right());
  EXPECT_LE(a.likely->lo, *a.breakAt);
  EXPECT_GE(a.likely->hi, *a.breakAt);

  // Saved: one ring more, a 0 where the ring was missed, ending in 1920.
  test::TempDir dir;
  const std::string path = dir.file("corrected.rwl").string();
  const input::SaveResult saved = saveCorrectedSeries(model.first(), model.second(), check, std::nullopt, path, {});
  ASSERT_TRUE(saved.ok) << saved.message;
  test::ScriptedConsole console({""});
  runtime::Runtime rt(console);
  ASSERT_TRUE(rt.open(runtime::Unit::UndatedSeries, path, runtime::OpenFor::Reading).ok);
  const input::SeriesTable table = dialogue::readSeriesFile(rt, runtime::Unit::UndatedSeries, input::Layout::RingWidths);
  rt.units().closeAll();
  ASSERT_EQ(table.size(), 1u);
  ASSERT_EQ(table[0].values.size(), p.piece.size() + 1);
  EXPECT_EQ(table[0].values[static_cast<std::size_t>(check.breakRing - 1)], 0.0f);
  EXPECT_EQ(table[0].lastYear(), 1601 + check.earlyOffset + static_cast<int>(p.piece.size()));
}

TEST(PairBreakView, ACleanPairSaysNoneAndHasNothingToCorrect) {
  const Pair p = makePair();
  const PairWindowModel model(p.dated, seriesOf("PIECE", 1, p.piece), true);
  ASSERT_EQ(model.check().check.answer, match::CheckAnswer::None);
  EXPECT_EQ(checkLines(model).headline.rfind("Break check: none;", 0), 0u);
  const AgreementPlot a = agreementPlot(model, {100, 500, 800, 120});
  EXPECT_FALSE(a.before.empty());
  EXPECT_TRUE(a.after.empty());
  EXPECT_FALSE(a.breakAt);
  EXPECT_FALSE(saveCorrectedSeries(model.first(), model.second(), model.check().check, std::nullopt, "x.rwl", {}).ok);
}

}  // namespace
}  // namespace veska::window
