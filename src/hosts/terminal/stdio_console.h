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
// other C0 control character but tab, and DEL, becomes "?", so that a data
// file's text lines cannot move the cursor, retitle or clear the terminal.
std::string terminalText(std::string_view bytes);

}  // namespace veska::terminal
