// veska-console: the crossdating run on standard input and output.
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <optional>
#include <string>

#include "command_line.h"
#include "console_options.h"
#include "pair_table_file.h"
#include "hosts/terminal/progress_bar.h"
#include "runtime/runtime.h"
#include "runtime/stop_signals.h"
#include "hosts/terminal/stdio_console.h"
#include "dialogue/library_run.h"
#include "dialogue/run_driver.h"

namespace {

constexpr veska::app::ProgramText kProgram{
    "veska-console",
    "veska-console [options] UNDATED\n"
    "       veska-console --library FOLDER [--species LIST] [--variable NAME]\n"
    "                     [--kind M|I] [--table FILE] UNDATED\n"
    "       veska-console [--table FILE]\n"
    "       veska-console --help | --version",
    "Crossdates tree-ring series: every series is modelled and prewhitened,\n"
    "every floating series slid against every dated one (or, without dated\n"
    "series, against every other floating one), and the three best placements\n"
    "of each pair written to the report, VESKA.OUT in the current directory.\n"
    "\n"
    "With UNDATED, the file of undated series, the whole run goes without a\n"
    "question. Without it, the dialogue asks for the files on standard input,\n"
    "one answer a line (answers may be piped in).\n"
    "\n"
    "Options:\n"
    "  --kind M|I        UNDATED holds ring widths (M) or indices (I). Without\n"
    "                    it, decided from the file: Heidelberg, CSV, TRiDaS,\n"
    "                    Besancon, Sheffield, CATRAS and NOAA template files (each\n"
    "                    known by its content) read the same either way, and\n"
    "                    a decadal file whose series end in 999 or -9999\n"
    "                    holds ring widths.\n"
    "  --dated FILE      match against the dated series of FILE\n"
    "  --dated-kind M|I  the same for FILE\n"
    "  --out FILE        write the report to FILE instead of VESKA.OUT\n"
    "  --table FILE      also write every reported placement of every pair to\n"
    "                    FILE as CSV once the match is done, with the chance\n"
    "                    that series sharing no signal reach its t (p_chance),\n"
    "                    the margin over the second placement, a verdict and\n"
    "                    the break check (check: break, none or cannot check;\n"
    "                    break_ring, break_shift: where a missed ring (1) or a\n"
    "                    false ring (-1) lies in the undated series; break_p:\n"
    "                    its chance level; corrected_t: t of the corrected\n"
    "                    series); the dialogue takes this option too\n"
    "  --quiet           no line per pair on standard output\n"
    "  --library FOLDER  date each series of UNDATED against every reference\n"
    "                    file in FOLDER instead (a chronology as it is, a\n"
    "                    ring-width file as its site's mean) and say in words\n"
    "                    what dates it; with --table FILE, the references\n"
    "                    ranked for each series as CSV. No report is written.\n"
    "  --species LIST    with --library, only references of these species\n"
    "                    codes (QUSP) or genera (QU), separated by commas\n"
    "  --variable NAME   with --library, only reference files of this measured\n"
    "                    variable: WIDTH_RING (total ring width, the default),\n"
    "                    WIDTH_EARLY, WIDTH_LATE, DENSITY_MAXIMUM,\n"
    "                    DENSITY_MINIMUM, DENSITY_EARLY, DENSITY_LATE or\n"
    "                    LATEWOOD_PERCENT, as the files' headers name them\n"
    "                    (a file whose header names none is ring width)\n"
    "  --                what follows is the undated file, even if it begins\n"
    "                    with \"-\"\n"
    "\n"
    "Exit status: 0 normal end (or \"/\" given in the dialogue), 1 the answers\n"
    "ran out, 2 a file could not be read or written (the report, the table or\n"
    "a data file; the report held by another run) or memory ran out, 3 a data\n"
    "limit stopped the run or a data file gave no series, 4 the command line\n"
    "was refused (one line on standard error, nothing written), 128 + n when\n"
    "signal n stopped the run (130 for Ctrl-C).\n"
    "\n"
    "From R:\n"
    "  status <- system2(\"veska-console\", c(\"--quiet\", \"--dated\", \"site.crn\",\n"
    "                    \"--dated-kind\", \"I\", \"--table\", \"pairs.csv\",\n"
    "                    \"samples.rwl\"))\n"
    "  pairs <- read.csv(\"pairs.csv\")\n"
    "From Python:\n"
    "  import csv, subprocess\n"
    "  subprocess.run([\"veska-console\", \"--quiet\", \"--dated\", \"site.crn\",\n"
    "                  \"--dated-kind\", \"I\", \"--table\", \"pairs.csv\",\n"
    "                  \"samples.rwl\"], check=True)\n"
    "  pairs = list(csv.DictReader(open(\"pairs.csv\", newline=\"\")))"};

// The refused command line's one line, and its status.
int refuse(const std::string& line) {
  std::fputs(line.c_str(), stderr);
  return veska::app::kExitUsage;
}

}  // namespace

int main(int argc, char* argv[]) {
  veska::terminal::openStandardStreams();
  if (const auto status = veska::app::answerInfoOption(kProgram, argc, argv, stdout)) return *status;
  // Everything the command line names is looked at before anything is written.
  const veska::app::ConsoleArguments arguments = veska::app::parseConsoleArguments(argc, argv);
  if (!arguments.refusal.empty()) return refuse(arguments.refusal);
  const veska::app::ConsoleRequest& asked = arguments.request;
  std::string refusal = veska::app::checkRequestFiles(asked);
  std::optional<veska::dialogue::RunRequest> request;
  if (refusal.empty() && asked.undated && !asked.library) request = veska::app::runRequestOf(asked, refusal);
  if (!refusal.empty()) return refuse(refusal);
  // A reader that goes away (veska-console | head) must not kill the run
  // before its report is complete.
  std::signal(SIGPIPE, SIG_IGN);
  // Ctrl-C, kill and a closed terminal stop the run between two records, so
  // that its report can say it is incomplete. Before the console exists: its
  // reads wait on the signals' pipe too.
  veska::runtime::installStopSignals();
  veska::terminal::StdioConsole console(stdin, stdout, ::isatty(STDIN_FILENO) == 0);
  veska::runtime::Runtime runtime(console);
  using veska::runtime::Runtime;
  if (asked.library) {
    veska::dialogue::LibraryRequest library = veska::app::libraryRequestOf(asked);
    veska::terminal::ProgressBar bar(stderr);
    if (::isatty(STDERR_FILENO))
      library.progress = [&bar](veska::dialogue::LibraryStage stage, std::size_t done, std::size_t total) {
        bar.update(done, total, stage == veska::dialogue::LibraryStage::Reading ? "files" : "references");
      };
    return runtime.execute([&](Runtime& rt) { veska::dialogue::runLibraryDating(rt, library); });
  }
  // An observer only for the pair table: this host draws nothing, so without
  // --table the run keeps no copies.
  std::optional<veska::app::PairTableFile> tableFile;
  if (asked.table) tableFile.emplace(runtime, *asked.table, veska::app::reportName(asked));
  veska::dialogue::RunObserver* observer = tableFile ? &*tableFile : nullptr;
  if (!request) return runtime.execute([&](Runtime& rt) { veska::dialogue::runCrossdating(rt, observer); });
  veska::terminal::ProgressBar bar(stderr);
  if (::isatty(STDERR_FILENO))
    request->progress = [&bar](std::size_t written, std::size_t total) { bar.update(written, total); };
  return runtime.execute([&](Runtime& rt) { veska::dialogue::runCrossdating(rt, *request, observer); });
}
