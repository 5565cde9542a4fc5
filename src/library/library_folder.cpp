#include "library/library_folder.h"

#include <algorithm>
#include <optional>
#include <system_error>

namespace veska::library {
namespace {

// The folder's plain files (links to plain files too), sorted by name;
// hidden files are left out, as a file manager leaves them out.
std::variant<std::vector<std::filesystem::path>, std::string> filesIn(const std::filesystem::path& folder) {
  std::error_code error;
  std::filesystem::directory_iterator it(folder, error);
  if (error) return error.message();
  std::vector<std::filesystem::path> files;
  for (; it != std::filesystem::directory_iterator(); it.increment(error)) {
    if (error) return error.message();
    const std::string name = it->path().filename().string();
    if (name.empty() || name[0] == '.') continue;
    std::error_code kind;
    if (it->is_regular_file(kind)) files.push_back(it->path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

}  // namespace

LoadedLibrary loadLibrary(const std::filesystem::path& folder, const SpeciesFilter& filter, const FileReader& read,
                          const LoadProgress& progress, MeasuredVariable variable) {
  LoadedLibrary loaded;
  Library& library = loaded.library;
  library.folder = folder.string();
  library.filter = filter;
  library.variable = variable;
  auto listed = filesIn(folder);
  if (const auto* problem = std::get_if<std::string>(&listed)) {
    loaded.problem = *problem;
    return loaded;
  }
  const auto& files = std::get<std::vector<std::filesystem::path>>(listed);
  for (std::size_t k = 0; k < files.size(); ++k) {
    const std::string name = files[k].filename().string();
    auto contents = read(files[k]);
    if (const auto* reason = std::get_if<std::string>(&contents)) {
      library.refused.push_back({name, *reason});
    } else {
      FileReferences found = referencesOf(name, std::get<FileContents>(contents));
      if (found.refusal) library.refused.push_back({name, *found.refusal});
      std::optional<MeasuredVariable> other;
      for (Reference& r : found.references) {
        if (r.variable != variable) other = other.value_or(r.variable);
        else if (filter.takes(r.species)) library.references.push_back(std::move(r));
        else ++library.filteredOut;
      }
      if (other) ++library.otherVariables[*other];
    }
    if (progress && !progress(k + 1, files.size())) {
      loaded.complete = false;
      break;
    }
  }
  library.duplicates = dropDuplicates(library.references);
  return loaded;
}

}  // namespace veska::library
