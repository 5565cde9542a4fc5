#include "runtime/units.h"

#include <sys/stat.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/uio.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>

#include "runtime/read_stream.h"
#include "runtime/same_file.h"

namespace veska::runtime {

InputUnit::InputUnit(std::FILE* file, std::string name)
    : file_(file), name_(std::move(name)), lines_(file) {}

InputUnit::~InputUnit() { std::fclose(file_); }

bool InputUnit::startBytes(std::string& bytes, std::size_t limit) {
  // Only a file that can seek back to its start (a data file is a plain
  // file; a pipe's stream cannot seek): reading ahead in a pipe or a terminal
  // would take its bytes for good, or wait.
  struct stat info {};
  const int fd = ::fileno(file_);
  if (started_ || (fd >= 0 && (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))) || std::ftell(file_) != 0)
    return false;
  bytes.assign(limit, '\0');
  const std::size_t got = std::fread(bytes.data(), 1, limit, file_);
  bytes.resize(got);
  const bool failed = std::ferror(file_) != 0;
  std::clearerr(file_);
  // Read again from the start: the lines then come as if nothing was taken.
  if (std::fseek(file_, 0, SEEK_SET) != 0 || failed) {
    started_ = true;  // the lines go on from wherever the file stands now
    return false;
  }
  return true;
}

records::ReadStatus InputUnit::readLine(records::Text& line) {
  started_ = true;
  std::string bytes;
  if (!lines_.next(bytes)) return lines_.failed() ? records::ReadStatus::Error : records::ReadStatus::End;
  // Editors on Windows often begin a UTF-8 file with a byte-order mark; kept,
  // it would push every column of the first line one place to the right.
  if (firstLine_ && bytes.starts_with("\xEF\xBB\xBF")) bytes.erase(0, 3);
  firstLine_ = false;
  line = lines_.utf8() ? records::decodeLine(bytes) : records::decodeLatin1(bytes);
  return records::ReadStatus::Ok;
}

OutputUnit::OutputUnit(int fd, std::string name) : fd_(fd), name_(std::move(name)) {}

OutputUnit::~OutputUnit() { close(); }

bool OutputUnit::writeLine(std::string_view line) {
  if (fd_ < 0) return false;
  // The line and its end in one call, so a reader never sees half a line
  // more than it must; a short write goes on where it stopped.
  char newline = '\n';
  iovec parts[2] = {{const_cast<char*>(line.data()), line.size()}, {&newline, 1}};
  iovec* next = parts;
  int count = 2;
  while (count > 0) {
    const ssize_t n = ::writev(fd_, next, count);
    if (n < 0) {
      if (errno == EINTR) continue;
      error_ = std::strerror(errno);
      return false;
    }
    auto left = static_cast<std::size_t>(n);
    while (count > 0 && left >= next->iov_len) {
      left -= next->iov_len;
      ++next;
      --count;
    }
    if (count > 0) {
      next->iov_base = static_cast<char*>(next->iov_base) + left;
      next->iov_len -= left;
    }
  }
  return true;
}

bool OutputUnit::close() {
  if (fd_ < 0) return true;
  const bool ok = ::close(fd_) == 0;  // the lock goes with the descriptor
  if (!ok) error_ = std::strerror(errno);
  fd_ = -1;
  return ok;
}

OpenResult Units::open(Unit unit, const std::string& path, OpenFor purpose) {
  if (path.empty()) return {false, "No file name given"};
  // The system would take the name to end at a NUL and open another file.
  if (path.find('\0') != std::string::npos) return {false, std::strerror(EINVAL)};
  // Said here rather than left to the system, so that no layer below can
  // ever shorten a longer name into one it accepts.
  if (path.size() >= PATH_MAX) return {false, std::strerror(ENAMETOOLONG)};
  return purpose == OpenFor::Reading ? openInput(unit, path) : openOutput(unit, path);
}

namespace {

OpenResult failure(int error) { return {false, std::strerror(error)}; }

OpenResult notPlain() {
  OpenResult result;
  result.reason = "Not a plain file";
  result.notPlain = true;
  return result;
}

}  // namespace

bool Units::isWrittenByThisRun(const struct stat& file) const {
  struct stat other {};
  for (const std::string& kept : kept_)
    if (::stat(kept.c_str(), &other) == 0 && sameFile(file, other)) return true;
  for (const auto& [n, out] : outputs_)
    if (out->fd() >= 0 && ::fstat(out->fd(), &other) == 0 && sameFile(file, other)) return true;
  return false;
}

OpenResult Units::openInput(Unit unit, const std::string& path) {
  // Looked at before the open, so that opening a device has no effect on it,
  // and again on what was opened, in case the name changed in between. The
  // open does not wait for a FIFO's writer.
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return failure(errno);
  if (S_ISDIR(st.st_mode)) return failure(EISDIR);
  if (!S_ISREG(st.st_mode)) return {false, "Not a regular file"};
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return failure(errno);
  const auto refuse = [fd](OpenResult result) {
    ::close(fd);
    return result;
  };
  if (::fstat(fd, &st) != 0) return refuse(failure(errno));
  if (!S_ISREG(st.st_mode)) return refuse({false, "Not a regular file"});
  if (isWrittenByThisRun(st)) return refuse({false, "The file is the run's own report"});
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  std::FILE* stream = openReadStream(fd, -1, true);
  if (!stream) return refuse(failure(ENOMEM));
  inputs_[unit] = std::make_unique<InputUnit>(stream, path);
  return {true, {}};
}

OpenResult Units::openOutput(Unit unit, const std::string& path) {
  // Only a plain file with one name is replaced. Through a symbolic link the
  // run would overwrite (or create) the file it points to, perhaps another
  // user's; a FIFO would hang the run; a device or a folder is no report.
  struct stat st {};
  if (::lstat(path.c_str(), &st) == 0) {
    if (!S_ISREG(st.st_mode)) return notPlain();
  } else if (errno != ENOENT) {
    return failure(errno);
  }
  int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_NOCTTY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0666);
  if (fd < 0) return errno == ELOOP ? notPlain() : failure(errno);
  const auto refuse = [&fd](OpenResult result) {
    ::close(fd);
    return result;
  };
  // Looked at again on what was opened, in case the name changed in between.
  if (::fstat(fd, &st) != 0) return refuse(failure(errno));
  if (!S_ISREG(st.st_mode)) return refuse(notPlain());
  // Not emptied before the lock: a file that another run holds must be left
  // as it is. A file system without locks still gets its report.
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK)
    return refuse({false, std::strerror(EWOULDBLOCK), true});
  if (st.st_nlink > 1) {
    // Its other names keep the old report: a new file takes this name.
    if (::unlink(path.c_str()) != 0) return refuse(failure(errno));
    ::close(fd);
    fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOCTTY | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd < 0) return failure(errno);
    ::flock(fd, LOCK_EX | LOCK_NB);
  } else if (::ftruncate(fd, 0) != 0) {
    return refuse(failure(errno));
  }
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  outputs_[unit] = std::make_unique<OutputUnit>(fd, path);
  return {true, {}};
}

InputUnit* Units::input(Unit unit) {
  auto it = inputs_.find(unit);
  return it == inputs_.end() ? nullptr : it->second.get();
}

OutputUnit* Units::output(Unit unit) {
  auto it = outputs_.find(unit);
  return it == outputs_.end() ? nullptr : it->second.get();
}

std::optional<WriteFailure> Units::closeAll() {
  std::optional<WriteFailure> failure;
  for (auto& [n, out] : outputs_)
    if (!out->close() && !failure) failure = WriteFailure{out->name(), out->error()};
  outputs_.clear();
  inputs_.clear();
  return failure;
}

}  // namespace veska::runtime
