// Faults that the end-to-end tests inject into veska-console with LD_PRELOAD,
// each only when its variable is set:
//   VESKA_FAIL_READ_OF=<file> VESKA_FAIL_READ_AFTER=<n>: once n bytes of that
//     file have been read, every further read of it fails with EIO, as a
//     failing disk would;
//   VESKA_FAIL_NEW_OVER=<n>: every allocation of more than n bytes fails;
//   VESKA_FAIL_WRITE_TO=<text> VESKA_FAIL_WRITE_AFTER=<n>: once a file whose
//     path holds that text has n bytes, a write() that would go beyond them
//     writes up to them and the next fails with ENOSPC, as a full disk does.
#include <dlfcn.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

namespace {

using ReadFunction = ssize_t (*)(int, void*, size_t);
using WriteFunction = ssize_t (*)(int, const void*, size_t);

bool writesToFailingFile(int fd, const char* text) {
  char link[64];
  char path[PATH_MAX];
  std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
  const ssize_t n = ::readlink(link, path, sizeof path - 1);
  if (n <= 0) return false;
  path[n] = '\0';
  return std::strstr(path, text) != nullptr;
}

bool isFailingFile(int fd, const char* name) {
  struct stat target {}, open {};
  return ::stat(name, &target) == 0 && ::fstat(fd, &open) == 0 && target.st_dev == open.st_dev &&
         target.st_ino == open.st_ino;
}

}  // namespace

extern "C" ssize_t read(int fd, void* buffer, size_t count) {
  static const auto real = reinterpret_cast<ReadFunction>(::dlsym(RTLD_NEXT, "read"));
  const char* name = std::getenv("VESKA_FAIL_READ_OF");
  if (name && isFailingFile(fd, name)) {
    const char* after = std::getenv("VESKA_FAIL_READ_AFTER");
    const off_t limit = after ? std::atol(after) : 0;
    const off_t at = ::lseek(fd, 0, SEEK_CUR);
    if (at >= limit) {
      errno = EIO;
      return -1;
    }
    if (static_cast<off_t>(count) > limit - at) count = static_cast<size_t>(limit - at);
  }
  return real(fd, buffer, count);
}

extern "C" ssize_t write(int fd, const void* buffer, size_t count) {
  static const auto real = reinterpret_cast<WriteFunction>(::dlsym(RTLD_NEXT, "write"));
  const char* text = std::getenv("VESKA_FAIL_WRITE_TO");
  if (text && writesToFailingFile(fd, text)) {
    const char* after = std::getenv("VESKA_FAIL_WRITE_AFTER");
    const off_t limit = after ? std::atol(after) : 0;
    const off_t at = ::lseek(fd, 0, SEEK_CUR);
    if (at >= limit) {
      errno = ENOSPC;
      return -1;
    }
    if (static_cast<off_t>(count) > limit - at) count = static_cast<size_t>(limit - at);
  }
  return real(fd, buffer, count);
}

void* operator new(std::size_t size) {
  static const char* over = std::getenv("VESKA_FAIL_NEW_OVER");
  if (over && size > static_cast<std::size_t>(std::atol(over))) throw std::bad_alloc();
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}

void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
