#include "input/series_saving.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

// One file by either name: the same file on disk, or the same place when
// neither exists yet.
bool sameFile(const std::string& a, const std::string& b) {
  struct stat sa {};
  struct stat sb {};
  if (::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0)
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
  std::error_code ea;
  std::error_code eb;
  const fs::path pa = fs::weakly_canonical(fs::absolute(a), ea);
  const fs::path pb = fs::weakly_canonical(fs::absolute(b), eb);
  return !ea && !eb && pa == pb;
}

std::string systemReason(int error) { return std::strerror(error); }

// Writes `text` into a new file in the folder of `path`, then gives it that
// name; the system's reason when a step fails.
std::optional<std::string> writeWhole(const std::string& path, const std::string& text) {
  const fs::path target(path);
  const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
  std::string hidden(".");
  hidden.append(target.filename().string()).append(".XXXXXX");
  std::string scratch = (folder / hidden).string();
  const int fd = ::mkstemp(scratch.data());
  if (fd < 0) return systemReason(errno);
  // The permissions a file made by the user's programs gets (mkstemp's are
  // the owner's only), or those of the file replaced.
  struct stat existing {};
  mode_t mode = 0;
  if (::stat(path.c_str(), &existing) == 0) {
    mode = existing.st_mode & 07777;
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode = 0666 & ~mask;
  }
  std::size_t done = 0;
  int error = 0;
  while (done < text.size() && error == 0) {
    const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno != EINTR) error = errno;
    if (n > 0) done += static_cast<std::size_t>(n);
  }
  if (error == 0 && ::fchmod(fd, mode) != 0) error = errno;
  if (error == 0 && ::fsync(fd) != 0) error = errno;
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error == 0 && ::rename(scratch.c_str(), path.c_str()) != 0) error = errno;
  if (error == 0) return std::nullopt;
  ::unlink(scratch.c_str());
  return systemReason(error);
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

SaveResult saveSeriesFile(const Series& series, const std::string& path, const std::vector<KeptFile>& kept) {
  for (const KeptFile& keep : kept) {
    if (sameFile(path, keep.path))
      return {false, quotedName(path) + " is " + keep.what + ": veska does not replace it. Choose another name."};
  }
  const auto layout = layoutForFileName(path);
  if (!layout)
    return {false, "Name the file .rwl or .raw (decadal ring widths), .fh (Heidelberg) or .csv (CSV table): "
                   "its extension chooses the layout."};
  const LayoutText text = layoutText(series, *layout);
  if (!text.ok()) return {false, text.refusal};
  if (auto failure = writeWhole(path, text.text))
    return {false, "Cannot write " + quotedName(path) + ": " + *failure + "."};
  return {true, {}};
}

}  // namespace veska::input
