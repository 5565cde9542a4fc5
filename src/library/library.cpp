#include "library/library.h"

namespace veska::library {

std::vector<std::string> Library::offTheGlobe() const {
  std::vector<std::string> names;
  for (const Reference& r : references)
    if (r.where && !onTheGlobe(*r.where)) names.push_back(r.name);
  return names;
}

std::vector<std::string> Library::outsideTheirCountry() const {
  std::vector<std::string> names;
  for (const Reference& r : references)
    if (r.outsideCountry) names.push_back(r.name + " (" + r.country + ")");
  return names;
}

LibraryRun runLibrarySearch(const Library& library, std::vector<UndatedSeries> series, const SearchProgress& progress) {
  LibraryRun run;
  run.series = std::move(series);
  const auto outcomes = searchLibrary(run.series, library.references, progress);
  for (const auto& row : outcomes) {
    if (row.size() < library.references.size()) run.complete = false;
    run.judgements.push_back(judgeSeries(row, library.references));
  }
  return run;
}

}  // namespace veska::library
