#include "hosts/terminal/stdio_console.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

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

namespace {

// The strict UTF-8 character at bytes[i] and its length in bytes; length 0
// when the bytes there are no valid UTF-8 character.
std::size_t utf8At(std::string_view bytes, std::size_t i, char32_t& c) {
  const auto b = static_cast<unsigned char>(bytes[i]);
  std::size_t n = 0;
  unsigned char lo = 0x80, hi = 0xBF;  // the second byte's allowed range
  if (b >= 0xC2 && b <= 0xDF) {
    n = 2;
    c = b & 0x1Fu;
  } else if (b >= 0xE0 && b <= 0xEF) {
    n = 3;
    c = b & 0x0Fu;
    if (b == 0xE0) lo = 0xA0;
    if (b == 0xED) hi = 0x9F;
  } else if (b >= 0xF0 && b <= 0xF4) {
    n = 4;
    c = b & 0x07u;
    if (b == 0xF0) lo = 0x90;
    if (b == 0xF4) hi = 0x8F;
  } else {
    return 0;
  }
  if (i + n > bytes.size()) return 0;
  for (std::size_t k = 1; k < n; ++k) {
    const auto next = static_cast<unsigned char>(bytes[i + k]);
    if (next < (k == 1 ? lo : 0x80) || next > (k == 1 ? hi : 0xBF)) return 0;
    c = (c << 6) | (next & 0x3Fu);
  }
  return n;
}

// C1 controls (CSI and OSC among them) and the characters that reorder
// bidirectional text.
bool isHidden(char32_t c) {
  return (c >= 0x80 && c <= 0x9F) || c == 0x200E || c == 0x200F || (c >= 0x202A && c <= 0x202E) ||
         (c >= 0x2066 && c <= 0x2069);
}

}  // namespace

std::string terminalText(std::string_view bytes) {
  // Records end with CR LF for the window; a terminal wants LF alone.
  std::string text;
  text.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto c = static_cast<unsigned char>(bytes[i]);
    if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') continue;
    if (c < 0x80) {
      const bool control = (c < 0x20 && c != '\t' && c != '\n') || c == 0x7F;
      text.push_back(control ? '?' : static_cast<char>(c));
      continue;
    }
    char32_t character = 0;
    if (const std::size_t n = utf8At(bytes, i, character)) {
      if (isHidden(character)) text.push_back('?');
      else text.append(bytes.substr(i, n));
      i += n - 1;
    } else {
      // A byte of an answer typed in Latin-1: 0x80-0x9F are its C1 controls.
      text.push_back(c <= 0x9F ? '?' : static_cast<char>(c));
    }
  }
  return text;
}

void openStandardStreams() {
  // Lowest first: each open takes the lowest free descriptor, the closed one.
  for (const int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
    if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
    ::open("/dev/null", fd == STDIN_FILENO ? O_RDONLY : O_WRONLY);
  }
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
