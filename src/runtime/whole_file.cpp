#include "runtime/whole_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace veska::runtime {

std::string writeWholeFile(const std::string& path, std::string_view text) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return std::strerror(errno);
  errno = 0;
  const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size() && std::fflush(file) == 0;
  const int writeError = errno;
  const bool closed = std::fclose(file) == 0;
  if (written && closed) return "";
  return std::strerror(writeError != 0 ? writeError : errno != 0 ? errno : EIO);
}

}  // namespace veska::runtime
