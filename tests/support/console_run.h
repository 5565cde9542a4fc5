// Runs the built terminal host in a directory with piped answers.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

namespace veska::test {

struct ConsoleRun {
  int status = -1;
  std::string output;  // everything written to standard output
};

// Runs veska-console in `dir`; its standard input is `answers` (each answer
// followed by a line end), or /dev/null closed input when `answers` is empty.
// `shellPrefix` goes before the program in the shell command: variables
// ("NAME=value"), a limit ("ulimit -f 1 &&") or a bound ("timeout 20");
// `arguments` after it, as the shell splits them.
ConsoleRun runConsole(const std::filesystem::path& dir, const std::string& answers,
                      const std::string& shellPrefix = "", const std::string& arguments = "");

// veska-console run in `dir` with the arguments, its standard input closed
// at once (/dev/null), its standard output and error kept apart, outside `dir`.
struct CommandRun {
  int status = -1;
  std::string out;
  std::string err;
};
CommandRun runCommand(const std::filesystem::path& dir, const std::vector<std::string>& arguments);

// veska-console running in `dir` with pipes for its standard input and
// output, so that a test can answer prompt by prompt, look at the files
// between answers and send signals. Killed with its destructor if still
// running. Every wait is bounded: a run that hangs fails its test.
class RunningConsole {
 public:
  explicit RunningConsole(const std::filesystem::path& dir);
  ~RunningConsole();
  RunningConsole(const RunningConsole&) = delete;
  RunningConsole& operator=(const RunningConsole&) = delete;

  void send(const std::string& answers);
  // Reads the output until it holds `text` after everything waited for
  // before; false when the output ended or the time ran out first.
  bool waitFor(const std::string& text, std::chrono::seconds limit = std::chrono::seconds(30));
  void signal(int number);
  // Closes the input, reads the output to its end and returns the exit
  // status (-1 when the program did not exit in time or did not exit).
  int finish(std::chrono::seconds limit = std::chrono::seconds(30));
  const std::string& output() const { return output_; }

 private:
  bool readSome(std::chrono::steady_clock::time_point deadline);

  pid_t pid_ = -1;
  int in_ = -1;
  int out_ = -1;
  std::string output_;
  std::size_t seen_ = 0;  // output up to here was matched by an earlier wait
};

}  // namespace veska::test
