#include "hosts/window/model/placement_saving.h"

#include "dialogue/run_driver.h"
#include "match/placed_series.h"

namespace veska::window {

namespace {

std::vector<input::KeptFile> runFiles(const std::vector<std::string>& dataFiles) {
  std::vector<input::KeptFile> kept = {{dialogue::kReportFileName, "the run's report"}};
  for (const std::string& data : dataFiles)
    if (!data.empty()) kept.push_back({data, "a data file of this run"});
  return kept;
}

}  // namespace

std::optional<std::string> placementSaveRefusal(const std::string& path, const std::vector<std::string>& dataFiles) {
  return input::saveTargetRefusal(path, runFiles(dataFiles));
}

input::SaveResult saveSeriesAtPlacement(const match::RunSeries& first, const match::RunSeries& second,
                                        const match::PlacementRow& at, std::optional<std::int64_t> firstLastYear,
                                        const std::string& path, const std::vector<std::string>& dataFiles) {
  const std::vector<input::KeptFile> kept = runFiles(dataFiles);
  const auto placed = match::seriesEndingIn(second, match::secondLastYear(first, at, firstLastYear));
  if (!placed) return {false, "The series would leave the years veska can count (beyond 32 bits)."};
  return input::saveSeriesFile(*placed, path, kept);
}

}  // namespace veska::window
