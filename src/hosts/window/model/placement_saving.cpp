#include "hosts/window/model/placement_saving.h"

#include "dialogue/run_driver.h"
#include "match/pair_break.h"
#include "match/placed_series.h"

namespace veska::window {

namespace {

std::vector<input::KeptFile> keptFiles(const std::vector<std::string>& dataFiles) {
  std::vector<input::KeptFile> kept = {{dialogue::kReportFileName, "the run's report"}};
  for (const std::string& data : dataFiles)
    if (!data.empty()) kept.push_back({data, "a data file of this run"});
  return kept;
}

}  // namespace

std::optional<std::string> placementSaveRefusal(const std::string& path, const std::vector<std::string>& dataFiles) {
  return input::saveTargetRefusal(path, keptFiles(dataFiles));
}

input::SaveResult saveSeriesAtPlacement(const match::RunSeries& first, const match::RunSeries& second,
                                        const match::PlacementRow& at, std::optional<std::int64_t> firstLastYear,
                                        const std::string& path, const std::vector<std::string>& dataFiles) {
  const std::vector<input::KeptFile> kept = keptFiles(dataFiles);
  const auto placed = match::seriesEndingIn(second, match::secondLastYear(first, at, firstLastYear));
  if (!placed) return {false, "The series would leave the years veska can count (beyond 32 bits)."};
  return input::saveSeriesFile(*placed, path, kept);
}

input::SaveResult saveCorrectedSeries(const match::RunSeries& first, const match::RunSeries& second,
                                      const match::BreakCheck& check, std::optional<std::int64_t> firstLastYear,
                                      const std::string& path, const std::vector<std::string>& dataFiles) {
  if (check.answer != match::CheckAnswer::Break) return {false, "The check found no break to correct."};
  match::RunSeries corrected = second;
  corrected.asRead = match::correctedValues(second.asRead, check.breakRing, check.shift, second.unit);
  // The corrected series lies wholly where its part before the break lies:
  // its value j on the first series' value j + earlyOffset.
  match::PlacementRow at;
  at.secondEndsAt = static_cast<std::int64_t>(first.firstYear) + check.earlyOffset +
                    static_cast<std::int64_t>(corrected.asRead.size()) - 1;
  const auto placed = match::seriesEndingIn(corrected, match::secondLastYear(first, at, firstLastYear));
  if (!placed) return {false, "The series would leave the years veska can count (beyond 32 bits)."};
  return input::saveSeriesFile(*placed, path, keptFiles(dataFiles));
}

}  // namespace veska::window
