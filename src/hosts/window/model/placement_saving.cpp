#include "hosts/window/model/placement_saving.h"

#include <vector>

#include "match/placed_series.h"

namespace veska::window {

input::SaveResult saveSeriesAtPlacement(const match::RunRecord& run, const match::RunSeries& first,
                                        const match::RunSeries& second, const match::PlacementRow& at,
                                        std::optional<std::int64_t> firstLastYear, const std::string& path) {
  std::vector<input::KeptFile> kept = {{"VESKA.OUT", "the run's report"}};
  for (const std::string& data : {run.undatedFile, run.datedFile})
    if (!data.empty()) kept.push_back({data, "a data file of this run"});
  const auto placed =
      match::seriesEndingIn(second, match::secondLastYear(first, at, run.withDated ? std::nullopt : firstLastYear));
  if (!placed) return {false, "The series would leave the years veska can count (beyond 32 bits)."};
  return input::saveSeriesFile(*placed, path, kept);
}

}  // namespace veska::window
