#include "hosts/window/model/save_naming.h"

namespace veska::window {
namespace {

std::string_view withoutTrailingBlanks(std::string_view text) {
  const std::size_t end = text.find_last_not_of(' ');
  return end == std::string_view::npos ? std::string_view() : text.substr(0, end + 1);
}

// The directory part of `path`, with its closing slash; empty when none.
std::string_view directoryOf(std::string_view path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string_view::npos ? std::string_view() : path.substr(0, slash + 1);
}

}  // namespace

std::string saveTitle(std::string_view windowTitle) {
  return std::string(windowTitle == kConsoleTitle ? kUntitled : windowTitle);
}

std::string defaultSavePath(std::string_view lastPath, std::string_view currentDirectory, std::string_view title) {
  std::string directory;
  if (lastPath.empty()) {
    directory = currentDirectory;
    if (directory.empty() || directory.back() != '/') directory += '/';
  } else {
    directory = directoryOf(lastPath);
  }
  return std::string(withoutTrailingBlanks(directory)) + std::string(withoutTrailingBlanks(title));
}

std::string fileNameOf(std::string_view path) {
  const std::size_t slash = path.rfind('/');
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

}  // namespace veska::window
