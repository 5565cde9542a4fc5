// Loads every series of one tree-ring data file, checking each against the
// limits of 1000 series and 5000 values.
#pragma once

#include <optional>

#include "input/decadal_line.h"
#include "input/notices.h"
#include "input/series.h"
#include "input/source_lines.h"

namespace veska::input {

// The table as far as it was read, every notice on the way in order (the
// layout recognised first), and the stop when reading must not go on.
struct LoadedFile {
  SeriesTable table;
  Notices notices;
  std::optional<ReadStop> stop;
};

// What the table holds of a series with missing values: its longest stretch
// without one, as the match phase and the listing take it, or every year as
// read with kMissingValue in place (for averaging several series year by
// year). The notices are the same either way.
enum class MissingValues { Stretch, AsRead };

// Reads series until the file has no further one (its end, or a series that
// ended at once), or until a stop.
//
// A series longer than kMaxLength, or more than kMaxSeries series, is a
// SeriesLimit stop. The length is checked first, and only once the whole
// series has been read. A failing source is a SourceFailed stop.
//
// A series holding missing values is named, with the stretch it is used
// over; one with no value at all is skipped with a warning, as is a series
// of no rings, and does not count against the limit.
LoadedFile loadSeriesFile(SourceLines& lines, Layout layout, MissingValues missing = MissingValues::Stretch);

}  // namespace veska::input
