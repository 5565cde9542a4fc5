// Dating against a library on the console: the undated file read as a run
// reads its data files (its titles and warnings shown, its limits kept), the
// library's files read and searched, then what the search found in words
// and, when asked for, the ranked tables as one CSV file. No report is
// written: VESKA.OUT is left as it is.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

#include "input/decadal_line.h"
#include "library/measured_variable.h"
#include "library/species_filter.h"
#include "runtime/runtime.h"

namespace veska::dialogue {

enum class LibraryStage { Reading, Searching };

struct LibraryRequest {
  std::string folder;
  std::string undated;
  std::optional<input::Layout> undatedLayout;  // none: decided from the file
  library::SpeciesFilter species;
  library::MeasuredVariable variable = library::MeasuredVariable::RingWidth;  // only references of this variable
  std::optional<std::string> table;  // the CSV file of the ranked tables
  int rowsShown = 10;                // rows of each series' ranked table in the summary
  // Told after each library file read and after each reference searched.
  std::function<void(LibraryStage stage, std::size_t done, std::size_t total)> progress;
};

// Why the table must not be written where the request asks: over the
// undated file, or into the library folder, whose every file the next search
// would read as a reference; nothing when it may.
std::optional<std::string> misplacedTable(const LibraryRequest& request);

// Never returns normally. Ends with status 0 after the summary (and the
// table); 2 when the undated file or the folder cannot be read or the table
// cannot be written (a table that would replace the undated file or land in
// the library folder is refused before anything is read); 3 when the undated
// file stops at a data limit or gives no series, or the folder gives no
// reference; a stop signal as in every run.
[[noreturn]] void runLibraryDating(runtime::Runtime& rt, const LibraryRequest& request);

}  // namespace veska::dialogue
