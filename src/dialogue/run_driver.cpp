#include "dialogue/run_driver.h"

#include <algorithm>
#include <cfenv>
#include <optional>
#include <string>
#include <vector>

#include "dialogue/data_file.h"
#include "dialogue/run_request.h"
#include "match/match_phase.h"
#include "match/pair_evidence.h"
#include "stats/whitening.h"

namespace veska::dialogue {
namespace {

// Asked again until the answer names a kind the loader knows.
input::Layout askLayout(runtime::Runtime& rt) {
  for (;;) {
    rt.prompt(records::Record().blanks(1).text("Ring widths (M) or Indices (I)").column(45).text("==> "));
    const char32_t letter = rt.readConsole(1)[0];
    if (letter == U'M' || letter == U'm') return input::Layout::RingWidths;
    if (letter == U'I' || letter == U'i') return input::Layout::Indices;
  }
}

// Fits each series' model and lists it under the report's heading, while
// replacing the series by its residuals for the match phase (prewhitening
// changes the series but not its model).
void processSeries(runtime::Runtime& rt, input::SeriesTable& table, const char* heading, stats::WhiteningWork& work) {
  rt.writeUnit(runtime::Unit::Report, "");
  rt.writeUnit(runtime::Unit::Report, heading);
  for (std::size_t i = 0; i < table.size(); ++i) {
    input::Series& series = table[i];
    const stats::ArModel model = stats::whiten(series.values, work);
    rt.writeUnit(runtime::Unit::Report, listingLine(static_cast<int>(i) + 1, series.id, model));
  }
}

std::string dataFileName(runtime::Runtime& rt, runtime::Unit unit) {
  const runtime::InputUnit* in = rt.units().input(unit);
  return in ? in->name() : std::string();
}

bool askForDated(runtime::Runtime& rt) {
  rt.writeConsole("");
  rt.prompt(records::Record().blanks(1).text("Read in DATED tree-ring series? Y/N").column(45).text("==> "));
  const char32_t answer = rt.readConsole(1)[0];
  return answer == U'Y' || answer == U'y';
}

// A file named beforehand: it was found fit before the run began, so a
// failure now is the system's (a file removed meanwhile).
std::u32string openNamed(runtime::Runtime& rt, runtime::Unit unit, const std::string& path) {
  const runtime::OpenResult opened = rt.open(unit, path, runtime::OpenFor::Reading);
  if (!opened.ok) rt.fatalIo("read", path, opened.reason);
  return records::decodeLine(path);
}

// The file named beforehand, or the one the dialogue asks for; its name as
// given.
std::u32string openNamedOrAsked(runtime::Runtime& rt, runtime::Unit unit, const std::optional<std::string>& named) {
  return named ? openNamed(rt, unit, *named) : openDataFile(rt, unit);
}

input::Layout layoutOf(runtime::Runtime& rt, const RunRequest* request, bool dated) {
  if (!request) return askLayout(rt);
  return dated ? request->datedLayout : request->undatedLayout;
}

void tellObserver(RunObserver& observer, match::RunRecord& record, bool withDated,
                  const std::vector<match::BestThree>& results) {
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

void runCrossdating(runtime::Runtime& rt) { runCrossdating(rt, nullptr); }

void runCrossdating(runtime::Runtime& rt, RunObserver* observer) { runCrossdating(rt, observer, nullptr); }

void runCrossdating(runtime::Runtime& rt, const RunRequest& request, RunObserver* observer) {
  // A limit's pause has nobody to wait for.
  rt.askNothing();
  runCrossdating(rt, observer, &request);
}

void runCrossdating(runtime::Runtime& rt, RunObserver* observer, const RunRequest* request) {
  setFloatingPointEnvironment();
  const std::string report = request ? request->report : kReportFileName;
  // Answered as a data file, the report would be emptied before it is read.
  rt.units().keepFromReading(report);
  if (!request) {
    rt.writeConsole("");
    rt.writeConsole(" Open up UNDATED tree-ring data file:");
    rt.writeConsole("");
  }
  const std::u32string undatedName =
      openNamedOrAsked(rt, runtime::Unit::UndatedSeries, request ? std::optional(request->undated) : std::nullopt);
  rt.openOrDie(runtime::Unit::Report, report, runtime::OpenFor::Writing);

  stats::WhiteningWork work(input::kMaxLength);
  input::SeriesTable undated = readSeriesFile(rt, runtime::Unit::UndatedSeries, layoutOf(rt, request, false));
  match::RunRecord record;
  const bool keepRecord = observer && observer->keepsRecord();
  if (observer) {
    record.undated = seriesAsRead(undated);
    record.undatedFile = dataFileName(rt, runtime::Unit::UndatedSeries);
    observer->dataFileRead(record.undatedFile, undated);
  }
  processSeries(rt, undated, "  UNDATED TREE-RING SERIES:", work);
  endIfNoSeries(rt, undated, undatedName);

  const bool withDated = request ? request->dated.has_value() : askForDated(rt);
  input::SeriesTable dated;
  if (withDated) {
    const std::u32string datedName =
        openNamedOrAsked(rt, runtime::Unit::DatedSeries, request ? request->dated : std::nullopt);
    dated = readSeriesFile(rt, runtime::Unit::DatedSeries, layoutOf(rt, request, true));
    if (observer) {
      record.dated = seriesAsRead(dated);
      record.datedFile = dataFileName(rt, runtime::Unit::DatedSeries);
      observer->dataFileRead(record.datedFile, dated);
    }
    processSeries(rt, dated, "  DATED TREE-RING SERIES:", work);
    endIfNoSeries(rt, dated, datedName);
  }

  match::MatchPhaseOutput output;
  if (request) {
    output.pairLinesOnConsole = request->pairLinesOnConsole;
    output.progress = request->progress;
  }
  // The pairs' trust only for an observer: the report and the console never show it.
  output.withTrust = observer != nullptr;
  output.keepResults = keepRecord;
  if (observer) {
    addCompared(record.undated, undated);
    addCompared(record.dated, dated);
    record.withDated = withDated;
    output.pairWritten = [observer, &record](const match::MatchSeries& first, const match::MatchSeries& second,
                                             const match::BestThree& best) {
      const match::RunPair pair{static_cast<std::size_t>(first.number - 1),
                                static_cast<std::size_t>(second.number - 1), best};
      observer->pairWritten(record, pair);
    };
  }
  const std::vector<match::BestThree> results = match::runMatchPhase(rt, undated, dated, withDated, output);
  if (keepRecord) tellObserver(*observer, record, withDated, results);
  else if (observer) observer->matchPhaseWritten(record);

  rt.reportComplete();
  if (!request) rt.pause("Normal Termination of Program- Hit return to Quit", runtime::kExitNormal);
  rt.endRun(" ", runtime::kExitNormal);
}

}  // namespace veska::dialogue
