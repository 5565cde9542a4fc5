// The console on standard input and output, for the terminal host.
#pragma once

#include <cstdio>

#include "records/console.h"
#include "records/line_reader.h"

namespace veska::terminal {

class StdioConsole : public records::Console {
 public:
  // echoAnswers: write each answer read behind its prompt, so that a piped
  // run's transcript reads like the window's text.
  StdioConsole(std::FILE* in, std::FILE* out, bool echoAnswers);

  bool write(std::string_view bytes) override;
  std::optional<std::string> readLine(std::size_t capacity) override;
  void yield() override {}
  void terminate(int status) override;

 private:
  std::FILE* out_;
  records::LineReader in_;
  bool echo_;
};

}  // namespace veska::terminal
