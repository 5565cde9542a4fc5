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

// Reads series until the file has no further one (its end, or a series that
// ended at once), or until a stop.
//
// A series longer than kMaxLength, or more than kMaxSeries series, is a
// SeriesLimit stop. The length is checked first, and only once the whole
// series has been read. A failing source is a SourceFailed stop.
LoadedFile loadSeriesFile(SourceLines& lines, Layout layout);

}  // namespace veska::input
