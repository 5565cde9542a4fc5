#include "hosts/window/model/file_lines.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>

#include "hosts/window/model/output_decoder.h"

namespace veska::window {
namespace {

// Lines read together when one is looked at: a screenful and more, in one read.
constexpr int kBlockLines = 256;

bool isContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

// Reads bytes [offset, offset + size) whole, or as many as the file holds.
std::string readAt(int fd, std::uint64_t offset, std::size_t size) {
  std::string bytes(size, '\0');
  std::size_t got = 0;
  while (got < size) {
    const ssize_t n = ::pread(fd, bytes.data() + got, size - got, static_cast<off_t>(offset + got));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    got += static_cast<std::size_t>(n);
  }
  bytes.resize(got);
  return bytes;
}

// One line's text as a text window shows it: tabs expanded to the next
// multiple of 8 columns.
std::u32string shownText(std::string_view bytes) {
  if (!bytes.empty() && bytes.back() == '\n') bytes.remove_suffix(1);
  if (!bytes.empty() && bytes.back() == '\r') bytes.remove_suffix(1);
  std::u32string text;
  for (const char32_t c : decodeOutput(bytes)) {
    if (c != U'\t') {
      text.push_back(c);
      continue;
    }
    do text.push_back(U' ');
    while (text.size() % 8 != 0);
  }
  return text;
}

// A file with no name, for a copy no one else can change: on disk in the
// temporary folder where the system allows it, else in memory.
int unnamedFile() {
  const char* folder = std::getenv("TMPDIR");
  int fd = ::open(folder && *folder ? folder : "/tmp", O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
  if (fd < 0) fd = ::memfd_create("veska-report", MFD_CLOEXEC);
  return fd;
}

// Copies every byte of `from` into `to`; false on a read or write error.
bool copyAll(int from, int to) {
  constexpr std::size_t kChunk = 1 << 20;
  for (std::uint64_t offset = 0;;) {
    const std::string chunk = readAt(from, offset, kChunk);
    for (std::size_t done = 0; done < chunk.size();) {
      const ssize_t n = ::write(to, chunk.data() + done, chunk.size() - done);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return false;
      done += static_cast<std::size_t>(n);
    }
    if (chunk.size() < kChunk) return true;
    offset += chunk.size();
  }
}

}  // namespace

bool FileLines::keepOwnCopy() {
  const int copy = unnamedFile();
  if (copy < 0) return false;
  if (!copyAll(fd_, copy)) {
    ::close(copy);
    return false;
  }
  ::close(fd_);
  fd_ = copy;
  return true;
}

std::unique_ptr<FileLines> FileLines::open(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return nullptr;
  return std::unique_ptr<FileLines>(new FileLines(fd));
}

FileLines::~FileLines() { ::close(fd_); }

void FileLines::endLine(std::uint64_t end) {
  ends_.push_back(end);
  widest_ = std::max(widest_, width_);
  width_ = 0;
}

bool FileLines::indexMore(std::size_t bytes) {
  if (done_) return false;
  const std::string slice = readAt(fd_, scanned_, std::max<std::size_t>(bytes, 1));
  for (std::size_t k = 0; k < slice.size(); ++k) {
    const auto b = static_cast<unsigned char>(slice[k]);
    if (b == '\n') {
      endLine(scanned_ + k + 1);
    } else if (b == '\t') {
      width_ += 8 - width_ % 8;
    } else if (b != '\r' && !isContinuation(b)) {
      ++width_;  // a character's first byte (a CR ends the line, so it is not counted)
    }
  }
  scanned_ += slice.size();
  if (!slice.empty()) return true;
  // The end of the file: a last line without a line end is a line too.
  if (ends_.empty() ? scanned_ > 0 : ends_.back() < scanned_) endLine(scanned_);
  done_ = true;
  return false;
}

void FileLines::readBlock(int first) const {
  const int last = std::min(lineCount(), first + kBlockLines);
  const std::uint64_t from = first == 0 ? 0 : ends_[static_cast<std::size_t>(first - 1)];
  const std::string bytes = readAt(fd_, from, static_cast<std::size_t>(ends_[static_cast<std::size_t>(last - 1)] - from));
  block_.clear();
  std::uint64_t start = from;
  for (int row = first; row < last; ++row) {
    const std::uint64_t end = ends_[static_cast<std::size_t>(row)];
    // A file that shrank since it was indexed shows what is left of it.
    const std::size_t at = static_cast<std::size_t>(std::min<std::uint64_t>(start - from, bytes.size()));
    const std::size_t length = static_cast<std::size_t>(std::min<std::uint64_t>(end - start, bytes.size() - at));
    block_.push_back(shownText(std::string_view(bytes).substr(at, length)));
    start = end;
  }
  blockFirst_ = first;
}

const std::u32string& FileLines::line(int row) const {
  if (row < 0 || row >= lineCount()) return empty_;
  if (blockFirst_ < 0 || row < blockFirst_ || row >= blockFirst_ + static_cast<int>(block_.size()))
    readBlock(row - row % kBlockLines);
  return block_[static_cast<std::size_t>(row - blockFirst_)];
}

}  // namespace veska::window
