// The ranked tables of a library search as one CSV file for scripts:
// RFC 4180 quoting, UTF-8, LF line ends, a header row, then one row per
// undated series and reference, each series' rows in rank order.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "library/library_result.h"

namespace veska::library {

// The header row's columns, in order.
inline constexpr const char* kLibraryTableHeader =
    "series,rank,reference,species,latitude,longitude,distance_km,overlap,end_year,t,p_chance,library_p,verdict";

// Writes the header and, for each series, its judgement's rows. Unknown
// values are empty; t, p_chance and library_p are the shortest text that
// reads back as the same number (an infinite t is `Inf`); coordinates have
// 4 decimals and distances 1.
void writeLibraryTable(std::ostream& out, const std::vector<UndatedSeries>& series,
                       const std::vector<SeriesJudgement>& judgements, const std::vector<Reference>& references);

}  // namespace veska::library
