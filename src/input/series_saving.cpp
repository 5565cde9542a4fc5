#include "input/series_saving.h"

#include <filesystem>

#include "runtime/new_file.h"
#include "runtime/same_file.h"

namespace veska::input {
namespace {

namespace fs = std::filesystem;

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool endsWith(std::string_view name, std::string_view extension) {
  if (name.size() <= extension.size()) return false;
  for (std::size_t k = 0; k < extension.size(); ++k)
    if (lower(name[name.size() - extension.size() + k]) != extension[k]) return false;
  return true;
}

// The file's name in quotes, for a message.
std::string quotedName(const std::string& path) {
  std::string quoted("\"");
  quoted.append(fs::path(path).filename().string()).append("\"");
  return quoted;
}

}  // namespace

std::optional<SeriesLayout> layoutForFileName(std::string_view path) {
  if (endsWith(path, ".rwl") || endsWith(path, ".raw")) return SeriesLayout::Decadal;
  if (endsWith(path, ".fh")) return SeriesLayout::Heidelberg;
  if (endsWith(path, ".csv")) return SeriesLayout::Csv;
  return std::nullopt;
}

std::optional<std::string> saveTargetRefusal(const std::string& path, const std::vector<KeptFile>& kept) {
  for (const KeptFile& keep : kept) {
    if (runtime::sameFile(path, keep.path))
      return quotedName(path) + " is " + keep.what + ": veska does not replace it. Choose another name.";
  }
  if (!layoutForFileName(path))
    return "Name the file .rwl or .raw (decadal ring widths), .fh (Heidelberg) or .csv (CSV table): "
           "its extension chooses the layout.";
  if (runtime::outputPathProblem(path) == runtime::kNotPlainFile)
    return quotedName(path) + " is a link or not a plain file: veska does not replace it. Choose another name.";
  return std::nullopt;
}

SaveResult saveSeriesFile(const Series& series, const std::string& path, const std::vector<KeptFile>& kept) {
  if (auto refusal = saveTargetRefusal(path, kept)) return {false, std::move(*refusal)};
  const LayoutText text = layoutText(series, *layoutForFileName(path));
  if (!text.ok()) return {false, text.refusal};
  if (const std::string failure = runtime::writeNewFile(path, text.text); !failure.empty())
    return {false, "Cannot write " + quotedName(path) + ": " + failure + "."};
  return {true, {}};
}

}  // namespace veska::input
