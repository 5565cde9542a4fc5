// Reads a CSV table: a header "Year" then one identifier per series,
// separated by commas, semicolons or tabs, and one row per year.
#pragma once

#include <vector>

#include "records/runtime.h"
#include "input/series.h"

namespace veska::input {

// Every column after the year as one series, in column order, named by its
// header cut to 8 characters. Empty, "NA" and "NaN" cells before a series' first
// value and after its last are not part of it; a series with such a gap
// between values is not loaded, with a console warning naming it. Values
// are decimal millimetres, rounded once to single precision (with
// semicolons, a decimal comma is read too). Years that do not rise by one
// from row to row, or a cell that is no number, end the run with a message.
//
// At most kMaxSeries + 1 columns are read: one more than the limit is
// enough for the loader to report it.
std::vector<SeriesRead> readCsvTable(records::Runtime& rt, int unit);

}  // namespace veska::input
