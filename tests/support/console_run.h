// Runs the built terminal host in a directory with piped answers.
#pragma once

#include <filesystem>
#include <string>

namespace veska::test {

struct ConsoleRun {
  int status = -1;
  std::string output;  // everything written to standard output
};

// Runs veska-console in `dir`; its standard input is `answers` (each answer
// followed by a line end), or /dev/null closed input when `answers` is empty.
ConsoleRun runConsole(const std::filesystem::path& dir, const std::string& answers);

}  // namespace veska::test
