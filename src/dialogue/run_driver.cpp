#include "dialogue/run_driver.h"

#include <algorithm>
#include <cfenv>
#include <vector>

#include "dialogue/data_file.h"
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

// A file that gives no series leaves nothing to match: the run ends as a
// data limit ends it, rather than calling an empty report a normal end.
void endIfNoSeries(runtime::Runtime& rt, const input::SeriesTable& table, const std::u32string& fileName) {
  if (!table.empty()) return;
  rt.writeConsole("");
  const records::Record message = records::Record()
                                      .column(5)
                                      .text("*** No series read from ")
                                      .text(records::toUtf8(fileName))
                                      .text(" ***");
  rt.pause(message.str(), runtime::kExitDataLimit);
  rt.endRun(" ", runtime::kExitDataLimit);
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

void runCrossdating(runtime::Runtime& rt, RunObserver* observer) {
  setFloatingPointEnvironment();
  // Answered as a data file, the report would be emptied before it is read.
  rt.units().keepFromReading(kReportFileName);
  rt.writeConsole("");
  rt.writeConsole(" Open up UNDATED tree-ring data file:");
  rt.writeConsole("");
  const std::u32string undatedName = openDataFile(rt, runtime::Unit::UndatedSeries);
  rt.openOrDie(runtime::Unit::Report, kReportFileName, runtime::OpenFor::Writing);

  stats::WhiteningWork work(input::kMaxLength);
  input::SeriesTable undated = readSeriesFile(rt, runtime::Unit::UndatedSeries, askLayout(rt));
  match::RunRecord record;
  if (observer) record.undated = seriesAsRead(undated);
  processSeries(rt, undated, "  UNDATED TREE-RING SERIES:", work);
  endIfNoSeries(rt, undated, undatedName);

  rt.writeConsole("");
  rt.prompt(records::Record().blanks(1).text("Read in DATED tree-ring series? Y/N").column(45).text("==> "));
  const char32_t datedAnswer = rt.readConsole(1)[0];
  const bool withDated = datedAnswer == U'Y' || datedAnswer == U'y';
  input::SeriesTable dated;
  if (withDated) {
    const std::u32string datedName = openDataFile(rt, runtime::Unit::DatedSeries);
    dated = readSeriesFile(rt, runtime::Unit::DatedSeries, askLayout(rt));
    if (observer) record.dated = seriesAsRead(dated);
    processSeries(rt, dated, "  DATED TREE-RING SERIES:", work);
    endIfNoSeries(rt, dated, datedName);
  }

  // The pairs' trust only for an observer: the report and the console never show it.
  const std::vector<match::BestThree> results =
      match::runMatchPhase(rt, undated, dated, withDated, observer != nullptr);
  if (observer) {
    addCompared(record.undated, undated);
    addCompared(record.dated, dated);
    record.withDated = withDated;
    record.pairs = match::pairsInReportOrder(record.undated.size(), record.dated.size(), withDated);
    for (std::size_t k = 0; k < record.pairs.size() && k < results.size(); ++k) record.pairs[k].best = results[k];
    observer->matchPhaseWritten(record);
  }

  rt.reportComplete();
  rt.pause("Normal Termination of Program- Hit return to Quit", runtime::kExitNormal);
  rt.endRun(" ", runtime::kExitNormal);
}

}  // namespace veska::dialogue
