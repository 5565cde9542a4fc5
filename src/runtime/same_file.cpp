#include "runtime/same_file.h"

#include <filesystem>
#include <system_error>

namespace veska::runtime {
namespace {

namespace fs = std::filesystem;

// Where writing to `name` would land: its symbolic links followed (a few, as
// the system follows them), then its folders' links and dots resolved; the
// name as it is when that cannot be told.
fs::path placeOf(const std::string& name) {
  std::error_code error;
  fs::path place = fs::absolute(name, error);
  if (error) return name;
  for (int hops = 0; hops < 40 && fs::is_symlink(fs::symlink_status(place, error)); ++hops) {
    const fs::path target = fs::read_symlink(place, error);
    if (error) break;
    place = target.is_absolute() ? target : place.parent_path() / target;
  }
  const fs::path resolved = fs::weakly_canonical(place, error);
  return error ? place.lexically_normal() : resolved;
}

}  // namespace

bool sameFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

bool sameFile(const std::string& a, const std::string& b) {
  struct stat sa {};
  struct stat sb {};
  const bool aExists = ::stat(a.c_str(), &sa) == 0;
  const bool bExists = ::stat(b.c_str(), &sb) == 0;
  if (aExists && bExists) return sameFile(sa, sb);
  // A name not there yet (or a dangling link) is the other file when
  // writing it would land in the other's place.
  return placeOf(a) == placeOf(b);
}

}  // namespace veska::runtime
