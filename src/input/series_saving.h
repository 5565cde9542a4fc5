// Saving one series as a data file of the layout its name asks for, without
// ever replacing a file the run holds dear (its report, its data files).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "input/series.h"
#include "input/series_layouts.h"

namespace veska::input {

// The layout a file name's extension asks for, in any case: .rwl and .raw
// decadal ring widths, .fh Heidelberg, .csv a CSV table; nullopt otherwise.
std::optional<SeriesLayout> layoutForFileName(std::string_view path);

// A file a save must not replace, and what it is ("the run's report").
struct KeptFile {
  std::string path;
  std::string what;
};

struct SaveResult {
  bool ok = false;
  std::string message;  // why not, as a sentence for the user
};

// Why no series is saved into `path`, known before anything is written: a
// name without one of those extensions, a file among `kept` (by any of its
// names, a link to it included), a link or no plain file; nothing when it
// may be.
std::optional<std::string> saveTargetRefusal(const std::string& path, const std::vector<KeptFile>& kept);

// Writes the series into `path` in the layout its extension asks for. What
// saveTargetRefusal refuses and a series the layout cannot hold are
// refused. The text is written whole into a new file beside `path`, which
// then takes its name: a save that fails leaves a file of that name as it
// was.
SaveResult saveSeriesFile(const Series& series, const std::string& path, const std::vector<KeptFile>& kept);

}  // namespace veska::input
