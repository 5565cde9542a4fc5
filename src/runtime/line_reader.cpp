#include "runtime/line_reader.h"

#include <cerrno>

#include "records/text.h"

namespace veska::runtime {
namespace {

// A cut through a multi-byte character would turn a valid UTF-8 line into a
// Latin-1 one and move every column after it: the partial character goes.
void dropPartialCharacter(std::string& line) {
  std::size_t lead = line.size();
  while (lead > 0 && line.size() - lead < 4 && (static_cast<unsigned char>(line[lead - 1]) & 0xC0) == 0x80) --lead;
  if (lead == 0) return;
  const auto b = static_cast<unsigned char>(line[--lead]);
  const std::size_t length = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
  if (line.size() - lead < length) line.resize(lead);
}

}  // namespace

int LineReader::get() {
  if (pending_) {
    const int c = *pending_;
    pending_.reset();
    return c;
  }
  errno = 0;
  const int c = std::getc(file_);
  if (c == EOF && std::ferror(file_) && !failed_) {
    failed_ = true;
    error_ = errno != 0 ? errno : EIO;
  }
  return c;
}

bool LineReader::next(std::string& line) {
  line.clear();
  utf8_ = true;
  cut_ = false;
  int c = get();
  if (c == EOF) return false;
  bool& cut = cut_;
  records::Utf8Check check;
  // A Latin-1 line has no characters to cut in two.
  const auto finish = [&] {
    utf8_ = check.valid();
    if (cut && utf8_) dropPartialCharacter(line);
  };
  while (c != EOF) {
    if (c == '\n' || c == '\r') {
      if (c == '\r') {
        do c = get(); while (c == '\r');
        if (c != '\n' && c != EOF) unget(c);
      }
      finish();
      return true;
    }
    check.add(static_cast<unsigned char>(c));
    if (line.size() < kMaxLineBytes) line.push_back(static_cast<char>(c));
    else cut = true;
    c = get();
  }
  finish();
  return !failed_;
}

}  // namespace veska::runtime
