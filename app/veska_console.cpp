// veska-console: the crossdating run on standard input and output.
#include <unistd.h>

#include <csignal>
#include <cstdio>

#include "command_line.h"
#include "runtime/runtime.h"
#include "runtime/stop_signals.h"
#include "hosts/terminal/stdio_console.h"
#include "dialogue/run_driver.h"

namespace {

constexpr veska::app::ProgramText kProgram{
    "veska-console",
    "Crossdates tree-ring series on standard input and output. It asks for a\n"
    "file of undated series, whether it holds ring widths (M) or indices (I),\n"
    "and whether a file of dated series follows; then it slides every pair of\n"
    "series against each other and writes the three best placements of each\n"
    "pair to VESKA.OUT in the current directory. The answers may be piped in,\n"
    "one per line.\n"
    "\n"
    "Exit status: 0 normal end or \"/\" given; 1 the answers ran out; 2 a file\n"
    "failed (VESKA.OUT could not be written or is in use by another run, a\n"
    "data file could not be read) or memory ran out; 3 a data limit stopped\n"
    "the run; 128 + n when signal n stopped it (130 for Ctrl-C).\n"
    "\n"
    "Any other argument is ignored."};

}  // namespace

int main(int argc, char* argv[]) {
  if (const auto status = veska::app::answerInfoOption(kProgram, argc, argv, stdout)) return *status;
  // A reader that goes away (veska-console | head) must not kill the run
  // before its report is complete.
  std::signal(SIGPIPE, SIG_IGN);
  // Ctrl-C, kill and a closed terminal stop the run between two records, so
  // that its report can say it is incomplete. Before the console exists: its
  // reads wait on the signals' pipe too.
  veska::runtime::installStopSignals();
  veska::terminal::StdioConsole console(stdin, stdout, ::isatty(STDIN_FILENO) == 0);
  veska::runtime::Runtime runtime(console);
  // No observer: this host draws nothing, so the run keeps no copies.
  return runtime.execute([](veska::runtime::Runtime& rt) { veska::dialogue::runCrossdating(rt); });
}
