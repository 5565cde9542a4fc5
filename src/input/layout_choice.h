// The kind of data a file holds, decided from the file itself, for a run
// whose answers come from the command line without --kind.
#pragma once

#include <optional>

#include "input/decadal_line.h"
#include "input/source_lines.h"

namespace veska::input {

// Heidelberg and CSV files read the same either way: ring widths. A decadal
// file holds ring widths when, read as ring widths, it gives at least one
// series and no series goes without its end marker (999 or -9999); a file
// beyond the series limit counts by the series read up to it. Anything else
// cannot be decided: nullopt.
std::optional<Layout> layoutFromLines(SourceLines& lines);

}  // namespace veska::input
