#include "library/library_folder.h"

#include <algorithm>
#include <system_error>

namespace veska::library {
namespace {

namespace fs = std::filesystem;

// An entry of the folder, and why it is not read (empty for a file that is).
struct Entry {
  fs::path path;
  std::string notRead;
};

// Why an entry that is no plain file (nor a link to one) is not read.
std::string whyNotRead(const fs::directory_entry& entry) {
  std::error_code error;
  const fs::file_status target = entry.status(error);
  if (entry.is_symlink(error) && !fs::exists(target)) return "a link to nothing";
  switch (target.type()) {
    case fs::file_type::directory: return "a folder (references are read from the library folder only)";
    case fs::file_type::fifo: return "a FIFO, not a file";
    case fs::file_type::socket: return "a socket, not a file";
    case fs::file_type::block:
    case fs::file_type::character: return "a device, not a file";
    default: return "not a plain file";
  }
}

// The folder's entries, sorted by name: plain files (links to plain files
// too) to read, anything else with the reason it is not read; hidden files
// are left out, as a file manager leaves them out.
std::variant<std::vector<Entry>, std::string> entriesIn(const fs::path& folder) {
  std::error_code error;
  fs::directory_iterator it(folder, error);
  if (error) return error.message();
  std::vector<Entry> entries;
  for (; it != fs::directory_iterator(); it.increment(error)) {
    if (error) return error.message();
    const std::string name = it->path().filename().string();
    if (name.empty() || name[0] == '.') continue;
    std::error_code kind;
    entries.push_back({it->path(), it->is_regular_file(kind) ? std::string() : whyNotRead(*it)});
  }
  std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.path < b.path; });
  return entries;
}

}  // namespace

LoadedLibrary loadLibrary(const std::filesystem::path& folder, const SpeciesFilter& filter, const FileReader& read,
                          const LoadProgress& progress) {
  LoadedLibrary loaded;
  Library& library = loaded.library;
  library.folder = folder.string();
  library.filter = filter;
  auto listed = entriesIn(folder);
  if (const auto* problem = std::get_if<std::string>(&listed)) {
    loaded.problem = *problem;
    return loaded;
  }
  const auto& entries = std::get<std::vector<Entry>>(listed);
  std::size_t total = 0;
  for (const Entry& e : entries) total += e.notRead.empty() ? 1 : 0;
  std::size_t done = 0;
  for (const Entry& entry : entries) {
    const std::string name = entry.path.filename().string();
    if (!entry.notRead.empty()) {
      library.refused.push_back({name, entry.notRead});
      continue;
    }
    auto contents = read(entry.path);
    if (const auto* reason = std::get_if<std::string>(&contents)) {
      library.refused.push_back({name, *reason});
    } else {
      FileReferences found = referencesOf(name, std::get<FileContents>(contents));
      if (found.refusal) library.refused.push_back({name, *found.refusal});
      for (Reference& r : found.references) {
        if (filter.takes(r.species)) library.references.push_back(std::move(r));
        else ++library.filteredOut;
      }
    }
    if (progress && !progress(++done, total)) {
      loaded.complete = false;
      break;
    }
  }
  library.duplicates = dropDuplicates(library.references);
  return loaded;
}

}  // namespace veska::library
