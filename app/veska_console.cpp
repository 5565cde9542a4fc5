// veska-console: the crossdating run on standard input and output.
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <optional>

#include "command_line.h"
#include "pair_table_file.h"
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
    "one per line. Exit status: 0 normal end or \"/\" given, 1 the answers ran\n"
    "out, 2 VESKA.OUT or the table could not be written, 3 a data limit\n"
    "stopped the run or a data file gave no series.\n"
    "\n"
    "  --table FILE  also write every reported placement of every pair to\n"
    "                FILE as CSV once the match is done, with the chance that\n"
    "                series sharing no signal reach its t (p_chance), the\n"
    "                margin over the second placement and a verdict\n"
    "\n"
    "Any other argument is ignored.",
    "[--table FILE]"};

}  // namespace

int main(int argc, char* argv[]) {
  veska::terminal::openStandardStreams();
  if (const auto status = veska::app::answerInfoOption(kProgram, argc, argv, stdout)) return *status;
  const veska::app::TableOption table = veska::app::tableOption(argc, argv);
  if (!table.error.empty()) {
    std::fprintf(stderr, "veska-console: %s\n", table.error.c_str());
    return 2;
  }
  // A reader that goes away (veska-console | head) must not kill the run
  // before its report is complete.
  std::signal(SIGPIPE, SIG_IGN);
  // Ctrl-C, kill and a closed terminal stop the run between two records, so
  // that its report can say it is incomplete. Before the console exists: its
  // reads wait on the signals' pipe too.
  veska::runtime::installStopSignals();
  veska::terminal::StdioConsole console(stdin, stdout, ::isatty(STDIN_FILENO) == 0);
  veska::runtime::Runtime runtime(console);
  // An observer only for the pair table: this host draws nothing, so without
  // --table the run keeps no copies.
  std::optional<veska::app::PairTableFile> tableFile;
  if (table.file) tableFile.emplace(runtime, *table.file);
  return runtime.execute([&](veska::runtime::Runtime& rt) {
    veska::dialogue::runCrossdating(rt, tableFile ? &*tableFile : nullptr);
  });
}
