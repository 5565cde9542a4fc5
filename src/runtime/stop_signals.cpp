#include "runtime/stop_signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <initializer_list>

namespace veska::runtime {
namespace {

volatile std::sig_atomic_t stopSignal = 0;
int wakePipe[2] = {-1, -1};

extern "C" void onStopSignal(int signal) {
  const int savedErrno = errno;
  if (stopSignal == 0) stopSignal = signal;
  // The pipe is non-blocking: a full pipe is already readable, enough.
  if (wakePipe[1] >= 0) {
    [[maybe_unused]] const ssize_t written = ::write(wakePipe[1], "", 1);
  }
  errno = savedErrno;
}

}  // namespace

void ignoreFileSizeSignal() { std::signal(SIGXFSZ, SIG_IGN); }

void installStopSignals() {
  ignoreFileSizeSignal();
  if (wakePipe[0] >= 0) return;
  if (::pipe2(wakePipe, O_CLOEXEC | O_NONBLOCK) != 0) wakePipe[0] = wakePipe[1] = -1;
  // Never in the place of a closed standard input or output: the console
  // would read the pipe for its answers and wait for ever.
  for (int& end : wakePipe) {
    if (end < 0 || end > STDERR_FILENO) continue;
    const int moved = ::fcntl(end, F_DUPFD_CLOEXEC, STDERR_FILENO + 1);
    ::close(end);
    end = moved;
  }
  struct sigaction action {};
  action.sa_handler = onStopSignal;
  sigemptyset(&action.sa_mask);
  // Restarted calls keep a report write from being cut by the signal; the
  // console read wakes through the pipe instead.
  action.sa_flags = SA_RESTART;
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) ::sigaction(signal, &action, nullptr);
}

int pendingStopSignal() { return stopSignal; }

int stopWakeFd() { return wakePipe[0]; }

}  // namespace veska::runtime
