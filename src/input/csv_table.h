// Reads a CSV table: a header "Year" then one identifier per series,
// separated by commas, semicolons or tabs, and one row per year.
#pragma once

#include <vector>

#include "input/notices.h"
#include "input/series.h"
#include "input/source_lines.h"

namespace veska::input {

// Every column after the year as one series, in column order, named by its
// header cut to 8 characters. Empty, "NA" and "NaN" cells before a series' first
// value and after its last are not part of it; a series with such a gap
// between values is not loaded, with a warning naming it. Values are
// decimal millimetres, rounded once to single precision (with semicolons, a
// decimal comma is read too). Years that do not rise by one from row to row,
// or a cell that is no number, refuse the table (TableRefused, no series).
//
// At most kMaxSeries + 1 columns are read: one more than the limit is
// enough for the loader to report it.
struct CsvTable {
  std::vector<SeriesRead> series;
  Notices notices;
  std::optional<ReadStop> stop;
};
CsvTable readCsvTable(SourceLines& lines);

}  // namespace veska::input
