#include "dialogue/run_driver.h"

#include <cfenv>
#include <memory>

#include "input/data_file_prompt.h"
#include "input/series_file.h"
#include "input/series_table.h"
#include "dialogue/listing.h"
#include "match/match_phase.h"
#include "stats/ar_fit.h"
#include "stats/prewhiten.h"

namespace veska::dialogue {
namespace {

constexpr const char* kReportFile = "VESKA.OUT";

// Asked again until the answer names a kind the loader knows, so the loader
// is only ever given "MR" or "IR".
std::u32string askReadCode(records::Runtime& rt) {
  for (;;) {
    std::u32string code = U" R";
    rt.prompt(records::Record().blanks(1).text("Ring widths (M) or Indices (I)").column(45).text("==> "));
    const records::Text answer = rt.readConsole(1);
    code[0] = answer[0];
    if (code[0] == U'M' || code[0] == U'm') return U"MR";
    if (code[0] == U'I' || code[0] == U'i') return U"IR";
  }
}

void openDataFileOnUnit(records::Runtime& rt, int unit) {
  std::u32string fileName(40, U' ');
  input::openDataFile(rt, fileName, U'O', unit);
}

// Loads one file's series into the table; the limits are the loader's.
void readSeries(records::Runtime& rt, int unit, const std::u32string& readCode, input::SeriesTable& table) {
  input::loadSeriesFile(rt, table, readCode, input::kMaxLength, input::kMaxSeries, unit);
}

void processSeries(records::Runtime& rt, input::SeriesTable& table) {
  // Made once and reused by every series of both tables: nothing is
  // allocated while series are processed.
  static stats::ArWork arWork(input::kMaxLength);
  static std::vector<float> extended(input::kMaxLength + stats::kMaxArOrder);
  static stats::ArModel model;
  for (int i = 1; i <= table.count; ++i) {
    const std::span<float> x = table.values(i);
    stats::fitArModel(x, stats::kAutoregMaxOrderArgument, model, arWork);
    // Listed before prewhitening, which changes the series but not its model.
    writeListingLine(rt, records::kReportUnit, i, table.id(i), model);
    if (model.order >= 1) stats::prewhiten(x, extended, model.order, model.coefficients);
  }
}

}  // namespace

void setFloatingPointEnvironment() {
  std::fenv_t previous;
  std::feholdexcept(&previous);
  std::fesetround(FE_TONEAREST);
}

void runCrossdating(records::Runtime& rt) {
  setFloatingPointEnvironment();
  // Answered as a data file, the report would be emptied before it is read.
  rt.units().keepFromReading(kReportFile);
  rt.writeConsole("");
  rt.writeConsole(" Open up UNDATED tree-ring data file:");
  rt.writeConsole("");
  openDataFileOnUnit(rt, records::kUndatedUnit);
  rt.openOrDie(records::kReportUnit, kReportFile, records::OpenStatus::Unknown);

  // The tables are large (two stores of 2 MB): keep them off the stack.
  auto undated = std::make_unique<input::SeriesTable>();
  auto dated = std::make_unique<input::SeriesTable>();

  readSeries(rt, records::kUndatedUnit, askReadCode(rt), *undated);
  rt.writeUnit(records::kReportUnit, "");
  rt.writeUnit(records::kReportUnit, "  UNDATED TREE-RING SERIES:");
  processSeries(rt, *undated);

  rt.writeConsole("");
  rt.prompt(records::Record().blanks(1).text("Read in DATED tree-ring series? Y/N").column(45).text("==> "));
  const char32_t datedAnswer = rt.readConsole(1)[0];
  const bool withDated = datedAnswer == U'Y' || datedAnswer == U'y';
  if (withDated) {
    openDataFileOnUnit(rt, records::kDatedUnit);
    readSeries(rt, records::kDatedUnit, askReadCode(rt), *dated);
    rt.writeUnit(records::kReportUnit, "");
    rt.writeUnit(records::kReportUnit, "  DATED TREE-RING SERIES:");
    processSeries(rt, *dated);
  }

  match::runMatchPhase(rt, *undated, *dated, withDated);

  rt.reportComplete();
  rt.pause("Normal Termination of Program- Hit return to Quit");
  rt.endRun(" ", records::kExitNormal);
}

}  // namespace veska::dialogue
