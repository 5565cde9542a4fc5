// The kind of data a file holds, decided from the file itself, for a run
// whose answers come from the command line without --kind.
#pragma once

#include <optional>
#include <string>

#include "input/decadal_line.h"

namespace veska::input {

// Heidelberg and CSV files, and format-driven series, read the same either
// way: ring widths. A decadal file holds ring widths when, read as ring
// widths, it gives at least one series and every series ends at its marker
// (999 or -9999). Anything else cannot be decided: nullopt.
std::optional<Layout> layoutFromFile(const std::string& path);

}  // namespace veska::input
