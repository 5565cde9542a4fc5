// The files of a library search read from disk: each reference file of the
// folder, and the file of undated series, through the readers of every
// layout veska reads.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <variant>

#include "input/decadal_line.h"
#include "input/series_file.h"
#include "library/reference_file.h"

namespace veska::library {

// A data file as read: its series, the readers' notices and stop, the
// layout its decadal lines were read in; or, when it could not be opened or
// read, the reason.
struct DataFile {
  input::LoadedFile loaded;
  input::Layout layout = input::Layout::RingWidths;
};
using DataFileRead = std::variant<DataFile, std::string>;

// Reads a data file in `layout`, or, without one, in the layout its lines
// show: Heidelberg and CSV files say theirs; a decadal file holds indices
// when, read so, it gives series without a warning, and otherwise ring
// widths when, read so, its series end in their end marker (999 or -9999);
// indices when neither. Only plain files are opened (never
// a FIFO or a device); the lines are read as the run reads its data files.
// `missing` says what the table keeps of a series with missing values.
DataFileRead readDataFile(const std::filesystem::path& path, std::optional<input::Layout> layout = std::nullopt,
                          input::MissingValues missing = input::MissingValues::Stretch);

// One file of a library: its title lines and series, each marked a
// chronology (read as indices, or a Heidelberg mean curve) or a tree, with
// the species and coordinates of its own header keys; or why it gives
// nothing (it cannot be read, a reader stopped in it). Each series spans
// every year its file gives it, input::kMissingValue where a ring is missing,
// so that a mean of several leaves those out year by year.
std::variant<FileContents, std::string> readReferenceFile(const std::filesystem::path& path);

// The reason a reader's stop gives, as a phrase for a list of files:
// "Number of series exceeds maximum allowed: 100", "more than 25 title lines".
std::string stopReason(const input::ReadStop& stop);

}  // namespace veska::library
