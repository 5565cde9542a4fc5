// Reads a CSV table: a header of one identifier per series and a year
// column, separated by commas, semicolons or tabs, and one row per year.
#pragma once

#include <vector>

#include "input/notices.h"
#include "input/series.h"
#include "input/source_lines.h"

namespace veska::input {

// Every column but the year's (named "Year" in any letter case, anywhere in
// the header) as one series, in column order, named by its header cut to 8
// characters. Cells are split as RFC 4180 writes them: a quoted cell may
// hold the separator, a doubled quote and line ends. Empty, "NA" and "NaN"
// cells before a series' first value and after its last are not part of it;
// between them, such cells and values below 0 are missing values
// (kMissingValue). A series with a value no ring can have (not finite, over
// 1e6 mm) is not loaded, with a warning naming it. Values are decimal millimetres, rounded once to single precision (with
// semicolons, a decimal comma is read too). The table is refused
// (TableRefused, no series), naming the line the row begins on, for years
// that are no whole number, lie outside -9999..99999 or do not rise by one
// from row to row, a cell that is no number, a row with more cells than the
// header, a row longer than the line reader keeps, a quoted cell never
// closed, or a header with two year columns.
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
