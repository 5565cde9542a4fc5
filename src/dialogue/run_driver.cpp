#include "dialogue/run_driver.h"

#include <algorithm>
#include <cfenv>
#include <string>
#include <vector>

#include "dialogue/data_file.h"
#include "dialogue/run_request.h"
#include "match/match_phase.h"
#include "match/pair_evidence.h"
#include "stats/ar_fit.h"
#include "stats/prewhiten.h"

namespace veska::dialogue {
namespace {

constexpr const char* kReportFile = "VESKA.OUT";

// Asked again until the answer names a kind the loader knows.
input::Layout askLayout(records::Runtime& rt) {
  for (;;) {
    rt.prompt(records::Record().blanks(1).text("Ring widths (M) or Indices (I)").column(45).text("==> "));
    const char32_t letter = rt.readConsole(1)[0];
    if (letter == U'M' || letter == U'm') return input::Layout::RingWidths;
    if (letter == U'I' || letter == U'i') return input::Layout::Indices;
  }
}

// The scratch of the series' models, made once per run and reused by every
// series of both tables: nothing is allocated while series are processed,
// and nothing is left over for the next run in the same process.
struct ModelWork {
  stats::ArWork ar{input::kMaxLength};
  std::vector<float> extended = std::vector<float>(input::kMaxLength + stats::kMaxArOrder);
};

// Fits each series' model, lists it under the report's heading, then
// replaces the series by its residuals for the match phase.
void processSeries(records::Runtime& rt, input::SeriesTable& table, const char* heading, ModelWork& work) {
  rt.writeUnit(records::kReportUnit, "");
  rt.writeUnit(records::kReportUnit, heading);
  for (std::size_t i = 0; i < table.size(); ++i) {
    input::Series& series = table[i];
    const stats::ArModel model = stats::fitArModel(series.values, stats::kOrdersWeighed, work.ar);
    // Listed before prewhitening, which changes the series but not its model.
    rt.writeUnit(records::kReportUnit, listingLine(static_cast<int>(i) + 1, series.id, model));
    if (model.order >= 1) stats::prewhiten(series.values, work.extended, model.order, model.coefficients);
  }
}

bool askForDated(records::Runtime& rt) {
  rt.writeConsole("");
  rt.prompt(records::Record().blanks(1).text("Read in DATED tree-ring series? Y/N").column(45).text("==> "));
  const char32_t answer = rt.readConsole(1)[0];
  return answer == U'Y' || answer == U'y';
}

// A file named beforehand: it was found fit before the run began, so a
// failure now is the system's (a file removed meanwhile).
void openNamed(records::Runtime& rt, int unit, const std::string& path) {
  const records::OpenResult opened = rt.open(unit, path, records::OpenStatus::Old);
  if (!opened.ok) rt.fatalIo("read", path, opened.reason);
}

void openUndated(records::Runtime& rt, const RunRequest* request) {
  if (request) openNamed(rt, records::kUndatedUnit, request->undated);
  else openDataFile(rt, records::kUndatedUnit);
}

input::Layout layoutOf(records::Runtime& rt, const RunRequest* request, bool dated) {
  if (!request) return askLayout(rt);
  return dated ? request->datedLayout : request->undatedLayout;
}

void tellObserver(RunObserver& observer, match::RunRecord& record, const input::SeriesTable& undated,
                  const input::SeriesTable& dated, bool withDated, const std::vector<match::BestThree>& results) {
  addCompared(record.undated, undated);
  addCompared(record.dated, dated);
  record.withDated = withDated;
  record.pairs = match::pairsInReportOrder(record.undated.size(), record.dated.size(), withDated);
  for (std::size_t k = 0; k < record.pairs.size() && k < results.size(); ++k) record.pairs[k].best = results[k];
  observer.matchPhaseWritten(record);
}

}  // namespace

records::Record listingLine(int number, const std::u32string& id, const stats::ArModel& model) {
  records::Record r;
  r.blanks(1).integer(number, 5).blanks(2).text(id, 8).integer(model.order, 3);
  if (model.order >= 1) {
    r.fixed(model.varianceExplained, 8, 3);
    const int listed = std::min(model.order, stats::kMaxArOrder);
    for (int k = 0; k < listed; ++k) r.fixed(model.coefficients[static_cast<std::size_t>(k)], 8, 3);
  }
  return r;
}

void setFloatingPointEnvironment() {
  std::fenv_t previous;
  std::feholdexcept(&previous);
  std::fesetround(FE_TONEAREST);
}

void runCrossdating(records::Runtime& rt) { runCrossdating(rt, nullptr); }

void runCrossdating(records::Runtime& rt, RunObserver* observer) { runCrossdating(rt, observer, nullptr); }

void runCrossdating(records::Runtime& rt, const RunRequest& request) {
  // A limit's pause has nobody to wait for.
  rt.askNothing();
  runCrossdating(rt, nullptr, &request);
}

void runCrossdating(records::Runtime& rt, RunObserver* observer, const RunRequest* request) {
  setFloatingPointEnvironment();
  const std::string report = request ? request->report : kReportFile;
  // Answered as a data file, the report would be emptied before it is read.
  rt.units().keepFromReading(report);
  if (!request) {
    rt.writeConsole("");
    rt.writeConsole(" Open up UNDATED tree-ring data file:");
    rt.writeConsole("");
  }
  openUndated(rt, request);
  rt.openOrDie(records::kReportUnit, report, records::OpenStatus::Unknown);

  ModelWork work;
  input::SeriesTable undated = readSeriesFile(rt, records::kUndatedUnit, layoutOf(rt, request, false));
  match::RunRecord record;
  if (observer) record.undated = seriesAsRead(undated);
  processSeries(rt, undated, "  UNDATED TREE-RING SERIES:", work);

  const bool withDated = request ? request->dated.has_value() : askForDated(rt);
  input::SeriesTable dated;
  if (withDated) {
    if (request) openNamed(rt, records::kDatedUnit, *request->dated);
    else openDataFile(rt, records::kDatedUnit);
    dated = readSeriesFile(rt, records::kDatedUnit, layoutOf(rt, request, true));
    if (observer) record.dated = seriesAsRead(dated);
    processSeries(rt, dated, "  DATED TREE-RING SERIES:", work);
  }

  match::MatchPhaseOutput output;
  if (request) output = {request->pairLinesOnConsole, request->progress};
  const std::vector<match::BestThree> results = match::runMatchPhase(rt, undated, dated, withDated, output);
  if (observer) tellObserver(*observer, record, undated, dated, withDated, results);

  rt.reportComplete();
  if (!request) rt.pause("Normal Termination of Program- Hit return to Quit", records::kExitNormal);
  rt.endRun(" ", records::kExitNormal);
}

}  // namespace veska::dialogue
