#include "run/run_driver.h"

#include <cfenv>
#include <memory>

#include "input/getfile.h"
#include "input/loadser.h"
#include "input/series_table.h"
#include "run/listing.h"
#include "run/match_phase.h"
#include "stats/autoreg.h"
#include "stats/prewhiten.h"

namespace veska::run {
namespace {

constexpr const char* kReportFile = "VESKA.OUT";

// Asked again until the answer names a kind the loader knows, so the loader
// is only ever given "MR" or "IR".
std::u32string askReadCode(io::Runtime& rt) {
  for (;;) {
    std::u32string code = U" R";
    rt.prompt(io::Record().blanks(1).text("Ring widths (M) or Indices (I)").column(45).text("==> "));
    const io::Text answer = rt.readConsole(1);
    code[0] = answer[0];
    if (code[0] == U'M' || code[0] == U'm') return U"MR";
    if (code[0] == U'I' || code[0] == U'i') return U"IR";
  }
}

void openDataFile(io::Runtime& rt, int unit) {
  std::u32string fileName(40, U' ');
  input::GETFILE(rt, fileName, U'O', unit);
}

// Loads one file's series into the table; the limits are the loader's.
void readSeries(io::Runtime& rt, int unit, const std::u32string& readCode, input::SeriesTable& table) {
  input::LOADSER(rt, table, readCode, input::kMaxLength, input::kMaxSeries, unit);
}

void processSeries(io::Runtime& rt, input::SeriesTable& table) {
  // Made once and reused by every series of both tables: nothing is
  // allocated while series are processed.
  static stats::ArWork arWork(input::kMaxLength);
  static std::vector<float> extended(input::kMaxLength + stats::kMaxArOrder);
  static stats::ArModel model;
  for (int i = 1; i <= table.count; ++i) {
    const std::span<float> x = table.values(i);
    stats::AUTOREG(x, stats::kAutoregMaxOrderArgument, model, arWork);
    // Listed before prewhitening, which changes the series but not its model.
    writeListingLine(rt, io::kReportUnit, i, table.id(i), model);
    if (model.order >= 1) stats::PREWHITEN(x, extended, model.order, model.coefficients);
  }
}

}  // namespace

void setFloatingPointEnvironment() {
  std::fenv_t previous;
  std::feholdexcept(&previous);
  std::fesetround(FE_TONEAREST);
}

void runCrossdating(io::Runtime& rt) {
  setFloatingPointEnvironment();
  rt.writeConsole("");
  rt.writeConsole(" Open up UNDATED tree-ring data file:");
  rt.writeConsole("");
  openDataFile(rt, io::kUndatedUnit);
  rt.openOrDie(io::kReportUnit, kReportFile, io::OpenStatus::Unknown);

  // The tables are large (two stores of 2 MB): keep them off the stack.
  auto undated = std::make_unique<input::SeriesTable>();
  auto dated = std::make_unique<input::SeriesTable>();

  readSeries(rt, io::kUndatedUnit, askReadCode(rt), *undated);
  rt.writeUnit(io::kReportUnit, "");
  rt.writeUnit(io::kReportUnit, "  UNDATED TREE-RING SERIES:");
  processSeries(rt, *undated);

  rt.writeConsole("");
  rt.prompt(io::Record().blanks(1).text("Read in DATED tree-ring series? Y/N").column(45).text("==> "));
  const char32_t datedAnswer = rt.readConsole(1)[0];
  const bool withDated = datedAnswer == U'Y' || datedAnswer == U'y';
  if (withDated) {
    openDataFile(rt, io::kDatedUnit);
    readSeries(rt, io::kDatedUnit, askReadCode(rt), *dated);
    rt.writeUnit(io::kReportUnit, "");
    rt.writeUnit(io::kReportUnit, "  DATED TREE-RING SERIES:");
    processSeries(rt, *dated);
  }

  runMatchPhase(rt, *undated, *dated, withDated);

  rt.pause("Normal Termination of Program- Hit return to Quit");
  rt.endRun(" ", io::kExitNormal);
}

}  // namespace veska::run
