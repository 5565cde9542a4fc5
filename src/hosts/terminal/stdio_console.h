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

// Opens /dev/null on each of standard input, output and error that is closed,
// before anything else is opened: a run started with its input closed then
// reads an empty input, and no file of the run (the report) can take the
// place of its output and receive the console's text.
void openStandardStreams();

}  // namespace veska::terminal
