// The library search in words, for the console: what the library holds and
// what it could not read, then for each undated series its verdict, the end
// years the references propose and its best-ranked references.
#pragma once

#include <string>
#include <vector>

#include "library/library.h"

namespace veska::library {

// Lines about the library itself: references read, files refused with
// their reasons, duplicates, coordinates off the globe, the species filter.
std::vector<std::string> librarySummary(const Library& library);

// Lines about one series: the verdict ("dated" or "no reliable date"), the
// consensus, rival years, then the first `rows` rows of its ranked table.
std::vector<std::string> seriesSummary(const UndatedSeries& series, const SeriesJudgement& judgement,
                                       const Library& library, int rows = 10);

// A probability in two significant digits (`0.0031`, `1.2e-07`), locale-free.
std::string probabilityText(double p);

}  // namespace veska::library
