#include "runtime/read_stream.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>

namespace veska::runtime {
namespace {

struct Source {
  int fd;
  int wakeFd;
  bool closeFd;
};

ssize_t readSource(void* cookie, char* buffer, std::size_t size) {
  const auto* source = static_cast<const Source*>(cookie);
  for (;;) {
    if (source->wakeFd >= 0) {
      pollfd fds[2] = {{source->fd, POLLIN, 0}, {source->wakeFd, POLLIN, 0}};
      if (::poll(fds, 2, -1) < 0) {
        if (errno == EINTR) continue;
        return -1;
      }
      if (fds[1].revents != 0) {
        errno = EINTR;
        return -1;
      }
    }
    const ssize_t n = ::read(source->fd, buffer, size);
    if (n < 0 && errno == EINTR) continue;
    return n;
  }
}

// Moves the descriptor, so that the stream can go back to a file's start;
// a pipe cannot, and says so.
int seekSource(void* cookie, off64_t* offset, int whence) {
  const auto* source = static_cast<const Source*>(cookie);
  const off64_t at = ::lseek64(source->fd, *offset, whence);
  if (at < 0) return -1;
  *offset = at;
  return 0;
}

int closeSource(void* cookie) {
  const auto* source = static_cast<const Source*>(cookie);
  const int result = source->closeFd ? ::close(source->fd) : 0;
  delete source;
  return result;
}

}  // namespace

std::FILE* openReadStream(int fd, int wakeFd, bool closeFd) {
  auto* source = new Source{fd, wakeFd, closeFd};
  const cookie_io_functions_t functions{readSource, nullptr, seekSource, closeSource};
  std::FILE* stream = ::fopencookie(source, "r", functions);
  if (!stream) delete source;
  return stream;
}

}  // namespace veska::runtime
