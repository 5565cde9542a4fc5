#include "hosts/terminal/stdio_console.h"

#include "runtime/read_stream.h"
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

std::string terminalText(std::string_view bytes) {
  // Records end with CR LF for the window; a terminal wants LF alone.
  std::string text;
  text.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto c = static_cast<unsigned char>(bytes[i]);
    if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') continue;
    const bool control = (c < 0x20 && c != '\t' && c != '\n') || c == 0x7F;
    text.push_back(control ? '?' : static_cast<char>(c));
  }
  return text;
}

bool StdioConsole::write(std::string_view bytes) {
  const std::string text = terminalText(bytes);
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
    const std::string text = terminalText(line) + "\n";
    std::fwrite(text.data(), 1, text.size(), out_);
    std::fflush(out_);
  }
  return line;
}

void StdioConsole::terminate(int /*status*/) { std::fflush(out_); }

}  // namespace veska::terminal
