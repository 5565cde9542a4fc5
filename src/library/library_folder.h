// A library read from a folder: every plain file in it (not its subfolders,
// not hidden files) in file-name order, each giving its references or the
// reason it gives none, while the search can show how far it is. Every
// other entry (a subfolder, a link to nothing, a FIFO, a socket, a device)
// is listed among the files not read, with what it is; none is opened.
#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <variant>

#include "library/library.h"
#include "library/reference_file.h"

namespace veska::library {

// Reads one file: its contents, or the reason it cannot be read.
using FileReader = std::function<std::variant<FileContents, std::string>(const std::filesystem::path&)>;

// Told after each file (`done` of `total`); returns false to stop reading.
using LoadProgress = std::function<bool(std::size_t done, std::size_t total)>;

struct LoadedLibrary {
  Library library;
  std::string problem;  // the folder itself could not be listed
  bool complete = true;  // false when stopped through the progress
};

// Only one file's series are held at a time, so memory grows with the
// references kept, not with the files' trees.
LoadedLibrary loadLibrary(const std::filesystem::path& folder, const SpeciesFilter& filter, const FileReader& read,
                          const LoadProgress& progress = {});

}  // namespace veska::library
