#include "support/test_support.h"

#include <unistd.h>

#include <fstream>
#include <random>
#include <sstream>

namespace veska::test {

TempDir::TempDir() {
  std::random_device rd;
  path_ = std::filesystem::temp_directory_path() /
          ("veska-test-" + std::to_string(::getpid()) + "-" + std::to_string(rd()));
  std::filesystem::create_directories(path_);
  previous_ = std::filesystem::current_path();
  std::filesystem::current_path(path_);
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::current_path(previous_, ec);
  std::filesystem::remove_all(path_, ec);
}

void writeFile(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
}

std::string readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::optional<std::filesystem::path> realDataDir() {
  // The shared data sits beside the main checkout; a worktree may be nested
  // one level deeper, so every ancestor of the source directory is tried.
  for (std::filesystem::path p = VESKA_SOURCE_DIR; p.has_relative_path(); p = p.parent_path()) {
    const std::filesystem::path dir = p.parent_path() / "shared" / "data" / "real";
    if (std::filesystem::is_directory(dir)) return dir;
  }
  return std::nullopt;
}

}  // namespace veska::test
