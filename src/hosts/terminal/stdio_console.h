// The console on standard input and output, for the terminal host.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "runtime/console.h"
#include "runtime/line_reader.h"

namespace veska::terminal {

class StdioConsole : public runtime::Console {
 public:
  // echoAnswers: write each answer read behind its prompt, so that a piped
  // run's transcript reads like the window's text. A read waiting for its
  // line wakes when a stop signal comes (see stop_signals.h).
  StdioConsole(std::FILE* in, std::FILE* out, bool echoAnswers);
  ~StdioConsole() override;

  bool write(std::string_view bytes) override;
  std::optional<std::string> readLine(std::size_t capacity) override;
  void yield() override {}
  void terminate(int status) override;

 private:
  std::FILE* out_;
  std::FILE* inStream_;
  runtime::LineReader in_;
  bool echo_;
};

// The bytes as a terminal may be given them: CR LF becomes LF, and every
// other C0 control character but tab, DEL, every C1 control character (in
// UTF-8, or a byte 0x80-0x9F that is no part of a UTF-8 character, as an
// answer typed in Latin-1 gives it) and the bidirectional controls U+200E,
// U+200F, U+202A-U+202E and U+2066-U+2069 become one "?" each, so that a data
// file's text lines or an answer cannot move the cursor, retitle or clear the
// terminal, or reorder what it shows.
std::string terminalText(std::string_view bytes);

// Opens /dev/null on each of standard input, output and error that is closed,
// before anything else is opened: a run started with its input closed then
// reads an empty input, and no file of the run (the report) can take the
// place of its output and receive the console's text.
void openStandardStreams();

}  // namespace veska::terminal
