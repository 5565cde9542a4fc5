#include "runtime/new_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <streambuf>

namespace veska::runtime {
namespace {

constexpr std::size_t kBufferBytes = 64 * 1024;

// A stream's bytes handed to a new file (which has its own buffer).
class NewFileBuffer : public std::streambuf {
 public:
  explicit NewFileBuffer(NewFile& file) : file_(file) {}

 protected:
  int_type overflow(int_type c) override {
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    const char byte = traits_type::to_char_type(c);
    return file_.write(std::string_view(&byte, 1)) ? c : traits_type::eof();
  }
  std::streamsize xsputn(const char* bytes, std::streamsize count) override {
    return file_.write(std::string_view(bytes, static_cast<std::size_t>(count))) ? count : 0;
  }

 private:
  NewFile& file_;
};

std::string reasonOf(int error) { return std::strerror(error); }

std::string folderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// The mode the new file gets: the replaced file's, or what a file made by
// the user's programs gets (mkstemp's are the owner's only).
mode_t modeFor(const struct stat* replaced) {
  if (replaced) return replaced->st_mode & 07777;
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

}  // namespace

std::string outputPathProblem(const std::string& path) {
  if (path.empty()) return "No file name given";
  if (path.find('\0') != std::string::npos) return reasonOf(EINVAL);
  if (path.size() >= PATH_MAX) return reasonOf(ENAMETOOLONG);
  if (path.back() == '/') return reasonOf(EISDIR);
  struct stat st {};
  if (::lstat(path.c_str(), &st) == 0) {
    if (!S_ISREG(st.st_mode)) return std::string(kNotPlainFile);
    // A file its owner made read-only is not replaced behind their back.
    if (::access(path.c_str(), W_OK) != 0) return reasonOf(errno);
  } else if (errno != ENOENT) {
    return reasonOf(errno);
  }
  const std::string folder = folderOf(path);
  if (::stat(folder.c_str(), &st) != 0) return reasonOf(errno);
  if (!S_ISDIR(st.st_mode)) return reasonOf(ENOTDIR);
  // The new file is made in the folder, so the folder must take it.
  if (::access(folder.c_str(), W_OK | X_OK) != 0) return reasonOf(errno);
  return {};
}

NewFile::NewFile(std::string path) : path_(std::move(path)) {
  error_ = outputPathProblem(path_);
  if (!error_.empty()) return;
  const std::string folder = folderOf(path_);
  const std::size_t slash = path_.find_last_of('/');
  const std::string name = slash == std::string::npos ? path_ : path_.substr(slash + 1);
  // Hidden, and named after the file, should a killed run leave it behind.
  scratch_ = (folder == "/" ? "" : folder) + "/." + name + ".XXXXXX";
  if (scratch_.size() >= PATH_MAX) scratch_ = (folder == "/" ? "" : folder) + "/.veska.XXXXXX";
  fd_ = ::mkostemp(scratch_.data(), O_CLOEXEC);
  if (fd_ < 0) {
    error_ = reasonOf(errno);
    scratch_.clear();
    return;
  }
  buffer_.reserve(kBufferBytes);
}

NewFile::~NewFile() { discard(); }

void NewFile::discard() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (!scratch_.empty()) ::unlink(scratch_.c_str());
  scratch_.clear();
}

bool NewFile::flushBuffer() {
  std::size_t done = 0;
  while (done < buffer_.size()) {
    const ssize_t n = ::write(fd_, buffer_.data() + done, buffer_.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      error_ = reasonOf(n < 0 ? errno : EIO);
      discard();
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  buffer_.clear();
  return true;
}

bool NewFile::write(std::string_view bytes) {
  if (fd_ < 0) return false;
  if (buffer_.size() + bytes.size() > kBufferBytes && !flushBuffer()) return false;
  if (bytes.size() >= kBufferBytes) {
    buffer_.assign(bytes);
    return flushBuffer();
  }
  buffer_.append(bytes);
  return true;
}

std::string NewFile::commit() {
  if (fd_ < 0) return error_.empty() ? reasonOf(EBADF) : error_;
  if (!flushBuffer()) return error_;
  // Looked at again: the name may have become a link or a FIFO meanwhile.
  // The rename replaces the name itself, never what a link points to.
  error_ = outputPathProblem(path_);
  struct stat replaced {};
  const bool replacing = error_.empty() && ::stat(path_.c_str(), &replaced) == 0;
  int error = 0;
  if (!error_.empty()) error = -1;
  if (error == 0 && ::fchmod(fd_, modeFor(replacing ? &replaced : nullptr)) != 0) error = errno;
  // On disk before it takes the name, so a crash cannot leave the name on an
  // empty file.
  if (error == 0 && ::fsync(fd_) != 0) error = errno;
  if (::close(fd_) != 0 && error == 0) error = errno;
  fd_ = -1;
  if (error == 0 && ::rename(scratch_.c_str(), path_.c_str()) != 0) error = errno;
  if (error == 0) {
    scratch_.clear();
    return {};
  }
  if (error > 0) error_ = reasonOf(error);
  discard();
  return error_;
}

std::string writeNewFile(const std::string& path, std::string_view text) {
  NewFile file(path);
  if (!file.ok()) return file.error();
  file.write(text);
  return file.commit();
}

std::string writeNewFile(const std::string& path, const std::function<void(std::ostream&)>& write) {
  NewFile file(path);
  if (!file.ok()) return file.error();
  NewFileBuffer buffer(file);
  std::ostream out(&buffer);
  write(out);
  return file.commit();
}

}  // namespace veska::runtime
