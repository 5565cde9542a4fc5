// veska-console: the crossdating run on standard input and output.
#include <unistd.h>

#include <csignal>
#include <cstdio>

#include "records/runtime.h"
#include "records/stop_signals.h"
#include "hosts/terminal/stdio_console.h"
#include "dialogue/run_driver.h"

int main() {
  // A reader that goes away (veska-console | head) must not kill the run
  // before its report is complete.
  std::signal(SIGPIPE, SIG_IGN);
  // Ctrl-C, kill and a closed terminal stop the run between two records, so
  // that its report can say it is incomplete. Before the console exists: its
  // reads wait on the signals' pipe too.
  veska::records::installStopSignals();
  veska::terminal::StdioConsole console(stdin, stdout, ::isatty(STDIN_FILENO) == 0);
  veska::records::Runtime runtime(console);
  return runtime.execute(veska::dialogue::runCrossdating);
}
