// A library of reference chronologies as loaded from a folder, and a search
// of undated series against it with each series' judgement.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "library/duplicates.h"
#include "library/library_result.h"
#include "library/reference.h"
#include "library/species_filter.h"

namespace veska::library {

struct Library {
  std::string folder;
  std::vector<Reference> references;  // searched, in file-name order
  std::vector<RefusedFile> refused;   // files that gave no reference, with the reason
  std::vector<DuplicateReference> duplicates;
  SpeciesFilter filter;
  int filteredOut = 0;  // references of another or unknown species, left out
  // The variable its references measure, and the files of other variables
  // left out, counted by their variable.
  MeasuredVariable variable = MeasuredVariable::RingWidth;
  std::map<MeasuredVariable, int> otherVariables;

  // References whose coordinates are off the globe (left off the map).
  std::vector<std::string> offTheGlobe() const;
  // References whose coordinates lie outside the country their header
  // names, "NAME (COUNTRY)" (left off the map).
  std::vector<std::string> outsideTheirCountry() const;
};

struct LibraryRun {
  std::vector<UndatedSeries> series;
  std::vector<SeriesJudgement> judgements;  // one per series searched
  bool complete = true;                     // false when the search was stopped
};

// Searches every series against the library and judges each.
LibraryRun runLibrarySearch(const Library& library, std::vector<UndatedSeries> series,
                            const SearchProgress& progress = {});

}  // namespace veska::library
