#include "hosts/window/model/text_file.h"

#include <cstdio>

#include "records/text.h"

namespace veska::window {
namespace {

std::string lineBytes(const std::u32string& line) { return records::toUtf8(line) + "\r\n"; }

}  // namespace

std::string savedBytes(const std::vector<std::u32string>& lines) {
  std::string bytes;
  for (const std::u32string& line : lines) bytes += lineBytes(line);
  return bytes;
}

SaveResult writeTextFile(const std::string& path, const std::vector<std::u32string>& lines) {
  std::FILE* file = path.empty() ? nullptr : std::fopen(path.c_str(), "wb");
  if (!file) return SaveResult::CannotCreate;
  bool written = true;
  for (const std::u32string& line : lines) {
    const std::string bytes = lineBytes(line);
    if (std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()) {
      written = false;
      break;
    }
  }
  // A full disk often shows only when the buffer goes out, at the close.
  if (std::fclose(file) != 0) written = false;
  return written ? SaveResult::Written : SaveResult::WriteFailed;
}

}  // namespace veska::window
