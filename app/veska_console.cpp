// veska-console: the crossdating run on standard input and output.
#include <unistd.h>

#include <csignal>
#include <cstdio>

#include "console/io/runtime.h"
#include "console/io/stdio_console.h"
#include "run/run_driver.h"

int main() {
  // A reader that goes away (veska-console | head) must not kill the run
  // before its report is complete.
  std::signal(SIGPIPE, SIG_IGN);
  veska::io::StdioConsole console(stdin, stdout, ::isatty(STDIN_FILENO) == 0);
  veska::io::Runtime runtime(console);
  try {
    veska::run::runCrossdating(runtime);
  } catch (const veska::io::RunEnded& ended) {
    return ended.status;
  }
}
