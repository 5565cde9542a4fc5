#include "hosts/terminal/stdio_console.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "runtime/read_stream.h"
#include "runtime/shown_text.h"
#include "runtime/stop_signals.h"

namespace veska::terminal {

StdioConsole::StdioConsole(std::FILE* in, std::FILE* out, bool echoAnswers)
    : out_(out),
      inStream_(runtime::openReadStream(::fileno(in), runtime::stopWakeFd(), false)),
      in_(inStream_ ? inStream_ : in),
      echo_(echoAnswers) {}

StdioConsole::~StdioConsole() {
  if (inStream_) std::fclose(inStream_);
}

void openStandardStreams() {
  // Lowest first: each open takes the lowest free descriptor, the closed one.
  for (const int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
    if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
    ::open("/dev/null", fd == STDIN_FILENO ? O_RDONLY : O_WRONLY);
  }
}

bool StdioConsole::write(std::string_view bytes) {
  const std::string text = runtime::terminalText(bytes);
  // A closed or full terminal must not stop the run from writing its report.
  std::fwrite(text.data(), 1, text.size(), out_);
  std::fflush(out_);
  return true;
}

std::optional<std::string> StdioConsole::readLine(std::size_t capacity) {
  std::string line;
  if (!in_.next(line)) return std::nullopt;
  if (line.size() > capacity) line.resize(capacity);
  if (echo_) {
    const std::string text = runtime::terminalText(line) + "\n";
    std::fwrite(text.data(), 1, text.size(), out_);
    std::fflush(out_);
  }
  return line;
}

void StdioConsole::terminate(int /*status*/) { std::fflush(out_); }

}  // namespace veska::terminal
