// veska-console: the crossdating run on standard input and output.
#include <unistd.h>

#include <csignal>
#include <cstdio>

#include "records/runtime.h"
#include "hosts/terminal/stdio_console.h"
#include "dialogue/run_driver.h"

int main() {
  // A reader that goes away (veska-console | head) must not kill the run
  // before its report is complete.
  std::signal(SIGPIPE, SIG_IGN);
  veska::terminal::StdioConsole console(stdin, stdout, ::isatty(STDIN_FILENO) == 0);
  veska::records::Runtime runtime(console);
  try {
    veska::dialogue::runCrossdating(runtime);
  } catch (const veska::records::RunEnded& ended) {
    return ended.status;
  }
}
