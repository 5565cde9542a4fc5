#include "hosts/terminal/stdio_console.h"

#include <string>

namespace veska::terminal {

StdioConsole::StdioConsole(std::FILE* in, std::FILE* out, bool echoAnswers)
    : out_(out), in_(in), echo_(echoAnswers) {}

bool StdioConsole::write(std::string_view bytes) {
  // Records end with CR LF for the window; a terminal wants LF alone.
  std::string text;
  text.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') continue;
    text.push_back(bytes[i]);
  }
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
    std::fwrite(line.data(), 1, line.size(), out_);
    std::fputc('\n', out_);
    std::fflush(out_);
  }
  return line;
}

void StdioConsole::terminate(int /*status*/) { std::fflush(out_); }

}  // namespace veska::terminal
