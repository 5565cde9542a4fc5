// A stdio stream over a file descriptor whose reads are this program's own
// read() calls. Two things need that: a read that waits for the console must
// wake when the run is asked to stop (a signal), and a data file's read error
// must be seen for what it is, with the system's reason.
#pragma once

#include <cstdio>

namespace veska::runtime {

// Reads `fd` through a stdio buffer. When wakeFd is not -1, a read first
// waits for either descriptor; once wakeFd is readable the read fails with
// EINTR, so the stream reports an error and its reader stops waiting. The
// descriptor is closed with the stream when closeFd is true. nullptr when
// the stream cannot be made.
std::FILE* openReadStream(int fd, int wakeFd, bool closeFd);

}  // namespace veska::runtime
