#include "console/io/line_reader.h"

namespace veska::io {

int LineReader::get() {
  if (pending_ != -2) {
    const int c = pending_;
    pending_ = -2;
    return c;
  }
  const int c = std::getc(file_);
  if (c == EOF && std::ferror(file_)) failed_ = true;
  return c;
}

bool LineReader::next(std::string& line) {
  line.clear();
  int c = get();
  if (c == EOF) return false;
  while (c != EOF) {
    if (c == '\n') return true;
    if (c == '\r') {
      do c = get(); while (c == '\r');
      if (c != '\n' && c != EOF) unget(c);
      return true;
    }
    line.push_back(static_cast<char>(c));
    c = get();
  }
  return !failed_;
}

}  // namespace veska::io
