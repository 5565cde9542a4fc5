// File > Save Series at This Placement... in a pair window: the floating
// series saved at the selected placement, given back in a new run as the
// undated file against the same dated file, gets the same three placements
// and ends in the year the placement gave it; with two floating series the
// year of the first one's last ring is asked; the run's files are never
// replaced. File > Save Corrected Series... saves only once the user has
// confirmed the correction.
#include <gtest/gtest.h>

#include <bit>
#include <cstring>

#include <QAction>
#include <QMdiArea>

#include "hosts/window/evidence_windows.h"
#include "hosts/window/fake_dialogs.h"
#include "hosts/window/frame_window.h"
#include "hosts/window/host.h"
#include "hosts/window/host_script.h"
#include "hosts/window/pair_window.h"
#include "input/series_saving.h"
#include "runtime/runtime.h"
#include "dialogue/data_file.h"
#include "support/test_support.h"

namespace veska::test {
namespace {

using window::PairWindow;

std::int64_t lastYearOf(const match::RunSeries& series) {
  return static_cast<std::int64_t>(series.firstYear) + static_cast<std::int64_t>(series.asRead.size()) - 1;
}

std::uint32_t bitsOf(float f) { return std::bit_cast<std::uint32_t>(f); }

// The pair window of the run's pair `index`, active in the frame.
PairWindow* openPair(window::Host& host, std::size_t index) {
  PairWindow* pair = host.evidence()->openPair(index);
  EXPECT_EQ(host.frame()->activePairWindow(), pair);
  return pair;
}

// Saves the second series of the run's pair `index` at its slot `slot`
// placement into `path`; the year that placement gives its last ring.
std::int64_t saveAtSlot(window::Host& host, FakeDialogs& dialogs, std::size_t index, int slot,
                        const std::string& path) {
  PairWindow* pair = openPair(host, index);
  if (!pair) return 0;
  const std::optional<int> placement = pair->evidence().marked()[static_cast<std::size_t>(slot)];
  EXPECT_TRUE(placement);
  if (!placement) return 0;
  pair->select(*placement);
  QAction* command = host.frame()->actions().saveSeries;
  EXPECT_TRUE(command->isEnabled());
  dialogs.saveNames.push_back(QString::fromStdString(path));
  command->trigger();
  EXPECT_TRUE(dialogs.numberQuestions.empty());  // the first series has its years
  for (const auto& box : dialogs.boxes) ADD_FAILURE() << box.text.toStdString();
  return pair->evidence().placements()[static_cast<std::size_t>(*placement)].secondEndsAt;
}

TEST(SeriesAtPlacement, GivenBackAsTheUndatedFileItGetsTheSameThreePlacementsInItsNewYears) {
  TempDir dir;
  FakeDialogs dialogs;
  const QString undated = QString::fromStdString(std::string(VESKA_SOURCE_DIR) + "/data/undated.rwl");
  const QString dated = QString::fromStdString(std::string(VESKA_SOURCE_DIR) + "/data/dated.rwl");
  // Each layout once, each at another slot's placement; the dated file's own
  // years give the saved series its years.
  const struct {
    const char* savedAs;
    std::size_t pair;
    int slot;
  } rows[] = {{"saved.rwl", 1, 1}, {"saved.fh", 0, 0}, {"saved.csv", 3, 2}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.savedAs);
    window::Host host(dialogs);
    Typist typist(host, {undated, "M", "Y", dated, "M", "", row.savedAs, "M", "Y", dated, "M", ""});
    match::RunRecord before;
    std::int64_t placementYear = 0;
    match::RunRecord after;
    typist.atFinalWait = [&] {
      const match::RunRecord& run = *host.evidence()->run();
      if (before.pairs.empty()) {
        before = run;
        placementYear = saveAtSlot(host, dialogs, row.pair, row.slot, dir.file(row.savedAs).string());
        host.frame()->actions().newRun->trigger();
      } else {
        after = run;
        host.frame()->actions().exit->trigger();
      }
    };
    EXPECT_EQ(host.run(), 0);
    ASSERT_EQ(after.undated.size(), 1u);
    ASSERT_LT(row.pair, before.pairs.size());
    const match::RunPair& saved = before.pairs[row.pair];
    const match::RunSeries& series = before.secondOf(saved);
    EXPECT_EQ(after.undated[0].id, series.id);
    EXPECT_EQ(lastYearOf(after.undated[0]), placementYear);
    ASSERT_EQ(after.undated[0].asRead.size(), series.asRead.size());
    EXPECT_EQ(std::memcmp(after.undated[0].asRead.data(), series.asRead.data(), series.asRead.size() * sizeof(float)),
              0);
    const std::int64_t shift = placementYear - lastYearOf(series);
    EXPECT_NE(shift, 0);
    // The one undated series against each dated one: the same dated series' pair.
    ASSERT_LT(saved.first, after.pairs.size());
    const match::BestThree& was = saved.best;
    const match::BestThree& now = after.pairs[saved.first].best;
    EXPECT_EQ(now.star, was.star);
    for (std::size_t j = 0; j < 3; ++j) {
      SCOPED_TRACE("slot " + std::to_string(j + 1));
      EXPECT_EQ(now.slots[j].lastRingFirst, was.slots[j].lastRingFirst);
      EXPECT_EQ(now.slots[j].lastRingSecond, was.slots[j].lastRingSecond + shift);
      EXPECT_EQ(now.slots[j].overlap, was.slots[j].overlap);
      EXPECT_EQ(bitsOf(now.slots[j].correlation), bitsOf(was.slots[j].correlation));
      EXPECT_EQ(bitsOf(now.slots[j].tStatistic), bitsOf(was.slots[j].tStatistic));
    }
    // The placement saved at is now the one whose last rings compared fall in one year.
    EXPECT_EQ(now.slots[static_cast<std::size_t>(row.slot)].lastRingSecond,
              now.slots[static_cast<std::size_t>(row.slot)].lastRingFirst);
  }
}

// With two floating series, in the final wait of a run of them: the year
// question, its Cancel, a save, and the run's files refused.
void saveBetweenFloatingSeries(window::Host& host, FakeDialogs& dialogs, const TempDir& dir) {
  PairWindow* pair = openPair(host, 0);
  ASSERT_NE(pair, nullptr);
  const match::RunSeries& first = pair->model().first();
  QAction* command = host.frame()->actions().saveSeries;

  // Cancel at the year: nothing more is asked, nothing written.
  command->trigger();
  ASSERT_EQ(dialogs.numberQuestions.size(), 1u);
  EXPECT_EQ(dialogs.numberQuestions[0].text,
            "Year of the last ring of " + QString::fromStdString(pair->model().firstId()) + ":");
  EXPECT_EQ(dialogs.numbersOffered[0], lastYearOf(first));
  EXPECT_TRUE(dialogs.saveDialogs.empty());

  // The first series ending in 1900 dates the second through the placement.
  dialogs.numbers = {1900, 1900, 1900};
  dialogs.saveNames = {"both.csv", "VESKA.OUT", "undated.rwl"};
  const std::string report = readFile(dir.file("VESKA.OUT"));
  const std::string data = readFile(dir.file("undated.rwl"));
  command->trigger();
  const auto& at = pair->model().placements()[static_cast<std::size_t>(*pair->selected())];
  const std::int64_t expected = at.secondEndsAt + (1900 - lastYearOf(first));
  const std::string csv = readFile(dir.file("both.csv"));
  const std::string lastRow = csv.substr(csv.rfind('\n', csv.size() - 2) + 1);
  EXPECT_EQ(lastRow.rfind(std::to_string(expected) + ",", 0), 0u) << lastRow;
  EXPECT_TRUE(dialogs.boxes.empty());
  EXPECT_EQ(dialogs.saveTypes,
            QStringList({"Decadal ring widths (*.rwl *.raw)", "Heidelberg (*.fh)", "CSV table (*.csv)"}));

  // Neither the report nor the data file read is replaced: both are refused
  // inside the one save dialog, as they are chosen, before it could ask
  // whether to replace them.
  const std::size_t dialogsBefore = dialogs.saveDialogs.size();
  command->trigger();
  EXPECT_EQ(dialogs.saveDialogs.size(), dialogsBefore + 1);
  ASSERT_EQ(dialogs.boxes.size(), 2u);
  EXPECT_NE(dialogs.boxes[0].text.indexOf("the run's report"), -1) << dialogs.boxes[0].text.toStdString();
  EXPECT_NE(dialogs.boxes[1].text.indexOf("a data file of this run"), -1) << dialogs.boxes[1].text.toStdString();
  EXPECT_EQ(readFile(dir.file("VESKA.OUT")), report);
  EXPECT_EQ(readFile(dir.file("undated.rwl")), data);
}

TEST(SeriesAtPlacement, TwoFloatingSeriesAskTheFirstOnesLastYearAndTheRunsFilesAreKept) {
  TempDir dir;
  FakeDialogs dialogs;
  writeFile(dir.file("undated.rwl"), readFile(std::string(VESKA_SOURCE_DIR) + "/data/undated.rwl"));
  window::Host host(dialogs);
  Typist typist(host, {"undated.rwl", "M", "N", ""});
  typist.atFinalWait = [&] {
    saveBetweenFloatingSeries(host, dialogs, dir);
    host.frame()->actions().exit->trigger();
  };
  EXPECT_EQ(host.run(), 0);
}

// The series of a ring-width file.
input::SeriesTable seriesIn(const std::string& path) {
  ScriptedConsole console({""});
  runtime::Runtime rt(console);
  EXPECT_TRUE(rt.open(runtime::Unit::UndatedSeries, path, runtime::OpenFor::Reading).ok);
  input::SeriesTable table = dialogue::readSeriesFile(rt, runtime::Unit::UndatedSeries, input::Layout::RingWidths);
  rt.units().closeAll();
  return table;
}

TEST(CorrectedSeries, SavedOnlyOnceTheUserConfirmsWithTheMissedRingBack) {
  TempDir dir;
  FakeDialogs dialogs;
  const std::string dated = std::string(VESKA_SOURCE_DIR) + "/data/dated.rwl";
  // The first dated series, its years hidden, with its 150th ring missed.
  input::Series faulty = seriesIn(dated).at(0);
  ASSERT_GT(faulty.values.size(), 200u);
  faulty.values.erase(faulty.values.begin() + 149);
  faulty.firstYear = 1;
  ASSERT_TRUE(input::saveSeriesFile(faulty, dir.file("faulty.rwl").string(), {}).ok);
  window::Host host(dialogs);
  int breakRing = 0;
  Typist typist(host, {"faulty.rwl", "M", "Y", QString::fromStdString(dated), "M", ""});
  typist.atFinalWait = [&] {
    PairWindow* pair = openPair(host, 0);
    ASSERT_NE(pair, nullptr);
    ASSERT_EQ(pair->model().check().check.answer, match::CheckAnswer::Break);
    breakRing = pair->model().check().check.breakRing;
    EXPECT_NEAR(breakRing, 150, 2);
    QAction* command = host.frame()->actions().saveCorrected;
    ASSERT_TRUE(command->isEnabled());
    // No to the correction: nothing asked further, nothing written.
    command->trigger();
    ASSERT_EQ(dialogs.questions.size(), 1u);
    EXPECT_NE(dialogs.questions[0].text.indexOf(QStringLiteral("insert a ring of width 0 just before ring %1 of")
                                                    .arg(breakRing)),
              -1)
        << dialogs.questions[0].text.toStdString();
    EXPECT_TRUE(dialogs.saveDialogs.empty());
    // Yes: saved under the name chosen.
    dialogs.answers = {FakeDialogs::Answer::Yes};
    dialogs.saveNames = {"fixed.rwl"};
    command->trigger();
    EXPECT_TRUE(dialogs.boxes.empty());
    host.frame()->actions().exit->trigger();
  };
  EXPECT_EQ(host.run(), 0);
  const input::SeriesTable fixed = seriesIn(dir.file("fixed.rwl").string());
  ASSERT_EQ(fixed.size(), 1u);
  // The faulty series with a ring of width 0 where the check put the break.
  std::vector<float> expected = faulty.values;
  expected.insert(expected.begin() + breakRing - 1, 0.0f);
  ASSERT_EQ(fixed[0].values.size(), expected.size());
  for (std::size_t k = 0; k < expected.size(); ++k) EXPECT_EQ(fixed[0].values[k], expected[k]) << "ring " << k + 1;
  EXPECT_EQ(fixed[0].firstYear, seriesIn(dated).at(0).firstYear);
}

}  // namespace
}  // namespace veska::test
