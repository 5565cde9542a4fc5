// Saving a pair's floating series at a placement: its file ends in the year
// the placement gives it (through the first series' own years, or through
// the year the user gives the first series' last ring when both float), and
// the run's data files and report are never replaced.
#include "hosts/window/model/placement_saving.h"

#include <gtest/gtest.h>

#include <random>

#include "dialogue/data_file.h"
#include "runtime/runtime.h"
#include "support/test_support.h"

namespace veska::window {
namespace {

match::RunSeries seriesOf(const char* id, std::int32_t firstYear, std::vector<float> values) {
  match::RunSeries s;
  s.id = records::fitRecord(records::fromUtf8(id), 8);
  s.firstYear = firstYear;
  s.asRead = values;
  s.compared = std::move(values);
  s.unit = input::ValueUnit::Hundredths;
  return s;
}

std::int32_t lastYearInFile(const std::string& path) {
  test::ScriptedConsole console({""});
  runtime::Runtime rt(console);
  EXPECT_TRUE(rt.open(runtime::Unit::UndatedSeries, path, runtime::OpenFor::Reading).ok);
  const input::SeriesTable table =
      dialogue::readSeriesFile(rt, runtime::Unit::UndatedSeries, input::Layout::RingWidths);
  rt.units().closeAll();
  EXPECT_EQ(table.size(), 1u);
  return table.empty() ? 0 : table[0].lastYear();
}

TEST(PlacementSaving, TheFileEndsInThePlacementsYearAndTheRunsFilesAreKept) {
  test::TempDir dir;
  std::vector<float> widths;
  std::minstd_rand noise(27);
  for (int k = 0; k < 200; ++k)
    widths.push_back(input::valueOf(100 + static_cast<std::int32_t>(noise() % 173), input::ValueUnit::Hundredths));
  // A piece of the dated series' rings 1851-1970, numbered from 1.
  const match::RunSeries dated = seriesOf("DATED", 1801, widths);
  const match::RunSeries piece = seriesOf("PIECE", 1, std::vector<float>(widths.begin() + 50, widths.begin() + 170));
  const std::vector<std::string> dataFiles = {dir.file("piece.rwl").string(), dir.file("dated.rwl").string()};
  test::writeFile(dataFiles[0], "undated\n");
  test::writeFile(dataFiles[1], "dated\n");
  const match::PairEvidence evidence = match::PairEvidence::compute(dated, piece);
  const match::PlacementRow& best =
      evidence.placements().at(static_cast<std::size_t>(evidence.bestPlacement().value()));
  ASSERT_EQ(best.secondEndsAt, 1970);

  const input::SaveResult saved = saveSeriesAtPlacement(dated, piece, best, std::nullopt, "dated-piece.rwl", dataFiles);
  ASSERT_TRUE(saved.ok) << saved.message;
  EXPECT_EQ(lastYearInFile("dated-piece.rwl"), 1970);

  // Both floating: the first series' last ring given as 1700 puts its rings
  // in 1501-1700, and the piece's last ring (on its ring 170) in 1670.
  const match::RunSeries first = seriesOf("FIRST", 1, widths);
  const match::PairEvidence both = match::PairEvidence::compute(first, piece);
  const match::PlacementRow& at = both.placements().at(static_cast<std::size_t>(both.bestPlacement().value()));
  ASSERT_TRUE(saveSeriesAtPlacement(first, piece, at, 1700, "floating-piece.fh", dataFiles).ok);
  EXPECT_EQ(lastYearInFile("floating-piece.fh"), 1670);

  for (const std::string& kept : {dataFiles[0], dataFiles[1], std::string("VESKA.OUT")}) {
    SCOPED_TRACE(kept);
    test::writeFile("VESKA.OUT", "report\n");
    const input::SaveResult refused = saveSeriesAtPlacement(dated, piece, best, std::nullopt, kept, dataFiles);
    EXPECT_FALSE(refused.ok);
    EXPECT_NE(refused.message.find(kept == "VESKA.OUT" ? "the run's report" : "a data file of this run"),
              std::string::npos)
        << refused.message;
  }
  EXPECT_EQ(test::readFile(dataFiles[0]), "undated\n");
  EXPECT_EQ(test::readFile("VESKA.OUT"), "report\n");
}

}  // namespace
}  // namespace veska::window
