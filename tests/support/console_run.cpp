#include "support/console_run.h"

#include <sys/wait.h>

#include <cstdlib>

#include "support/test_support.h"

namespace veska::test {

ConsoleRun runConsole(const std::filesystem::path& dir, const std::string& answers) {
  const auto in = dir / ".answers";
  const auto out = dir / ".output";
  writeFile(in, answers);
  const std::string command = "cd '" + dir.string() + "' && '" + VESKA_CONSOLE_EXE + "' < '" +
                              in.string() + "' > '" + out.string() + "' 2>&1";
  const int raw = std::system(command.c_str());
  ConsoleRun run;
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  run.output = readFile(out);
  std::filesystem::remove(in);
  std::filesystem::remove(out);
  return run;
}

}  // namespace veska::test
