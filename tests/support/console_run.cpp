#include "support/console_run.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#include "support/test_support.h"

namespace veska::test {

ConsoleRun runConsole(const std::filesystem::path& dir, const std::string& answers, const std::string& shellPrefix,
                      const std::string& arguments) {
  const auto in = dir / ".answers";
  const auto out = dir / ".output";
  writeFile(in, answers);
  const std::string command = "cd '" + dir.string() + "' && " + shellPrefix + " '" + VESKA_CONSOLE_EXE + "' " + arguments + " < '" +
                              in.string() + "' > '" + out.string() + "' 2>&1";
  const int raw = std::system(command.c_str());
  ConsoleRun run;
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  run.output = readFile(out);
  std::filesystem::remove(in);
  std::filesystem::remove(out);
  return run;
}

CommandRun runCommand(const std::filesystem::path& dir, const std::vector<std::string>& arguments) {
  TempDir streams;  // beside `dir`, so that nothing lands in it
  const std::string out = streams.file("out").string();
  const std::string err = streams.file("err").string();
  CommandRun run;
  const pid_t pid = ::fork();
  if (pid == 0) {
    const int in = ::open("/dev/null", O_RDONLY);
    const int o = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int e = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (in < 0 || o < 0 || e < 0 || ::chdir(dir.c_str()) != 0) ::_exit(127);
    ::dup2(in, STDIN_FILENO);
    ::dup2(o, STDOUT_FILENO);
    ::dup2(e, STDERR_FILENO);
    std::vector<char*> argv = {const_cast<char*>(VESKA_CONSOLE_EXE)};
    for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    ::execv(VESKA_CONSOLE_EXE, argv.data());
    ::_exit(127);
  }
  int raw = 0;
  if (pid > 0 && ::waitpid(pid, &raw, 0) == pid && WIFEXITED(raw)) run.status = WEXITSTATUS(raw);
  run.out = readFile(out);
  run.err = readFile(err);
  return run;
}

RunningConsole::RunningConsole(const std::filesystem::path& dir) {
  int input[2], output[2];
  if (::pipe2(input, O_CLOEXEC) != 0 || ::pipe2(output, O_CLOEXEC) != 0) return;
  pid_ = ::fork();
  if (pid_ == 0) {
    ::dup2(input[0], STDIN_FILENO);
    ::dup2(output[1], STDOUT_FILENO);
    ::dup2(output[1], STDERR_FILENO);
    if (::chdir(dir.c_str()) == 0) ::execl(VESKA_CONSOLE_EXE, VESKA_CONSOLE_EXE, static_cast<char*>(nullptr));
    ::_exit(127);
  }
  ::close(input[0]);
  ::close(output[1]);
  in_ = input[1];
  out_ = output[0];
}

RunningConsole::~RunningConsole() {
  if (in_ >= 0) ::close(in_);
  if (out_ >= 0) ::close(out_);
  if (pid_ > 0) {
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
  }
}

void RunningConsole::send(const std::string& answers) {
  for (std::size_t done = 0; in_ >= 0 && done < answers.size();) {
    const ssize_t n = ::write(in_, answers.data() + done, answers.size() - done);
    if (n <= 0) return;
    done += static_cast<std::size_t>(n);
  }
}

bool RunningConsole::readSome(std::chrono::steady_clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
  if (out_ < 0 || left.count() <= 0) return false;
  pollfd fd{out_, POLLIN, 0};
  if (::poll(&fd, 1, static_cast<int>(left.count())) <= 0) return false;
  char buffer[4096];
  const ssize_t n = ::read(out_, buffer, sizeof buffer);
  if (n <= 0) {
    ::close(out_);
    out_ = -1;
    return false;
  }
  output_.append(buffer, static_cast<std::size_t>(n));
  return true;
}

bool RunningConsole::waitFor(const std::string& text, std::chrono::seconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  for (;;) {
    if (const std::size_t at = output_.find(text, seen_); at != std::string::npos) {
      seen_ = at + text.size();
      return true;
    }
    if (!readSome(deadline)) return false;
  }
}

void RunningConsole::signal(int number) {
  if (pid_ > 0) ::kill(pid_, number);
}

int RunningConsole::finish(std::chrono::seconds limit) {
  if (in_ >= 0) ::close(in_);
  in_ = -1;
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (readSome(deadline)) {
  }
  if (pid_ <= 0) return -1;
  int raw = 0;
  while (::waitpid(pid_, &raw, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() >= deadline) return -1;  // killed by the destructor
    ::usleep(10000);
  }
  pid_ = -1;
  return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

}  // namespace veska::test
