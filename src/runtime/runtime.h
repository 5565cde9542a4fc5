// What every routine of the run uses to talk to the console and its files:
// the console hooks, the table of open units, pause and the end of run.
//
// The end of run can be reached from deep inside the run (a bail-out while
// opening a file, a limit error in the loader). It closes every unit, calls
// the console's terminate hook and then unwinds to the host's main routine
// by throwing RunEnded, which carries the exit status; so a test can drive a
// whole run in-process and look at the status afterwards.
//
// A run stopped before its normal end (a stop signal, the host quitting, a
// failed read, no memory left) ends its report with kIncompleteReportLine,
// so that nobody takes a cut report for a whole one. Once the run driver has
// said that the report is complete, a stop adds nothing to it.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/console.h"
#include "records/record.h"
#include "records/text.h"
#include "runtime/units.h"

namespace veska::runtime {

// Exit statuses a script can tell apart.
enum ExitStatus : int {
  kExitNormal = 0,      // normal end, or the user's bail-out
  kExitEndOfInput = 1,  // the console input ended while an answer was awaited
  kExitIoFailure = 2,   // a file could not be opened, read or written, the report
                        // is in use by another run, or memory ran out
  kExitDataLimit = 3,   // a data limit stopped the run
};

// A stop signal's exit status is this plus the signal's number.
inline constexpr int kExitSignalBase = 128;

inline constexpr std::string_view kIncompleteReportLine =
    " *** Run stopped before its end: this report is incomplete ***";

struct RunEnded {
  int status;
};

class Runtime {
 public:
  explicit Runtime(Console& console) : console_(console) {}

  Console& console() { return console_; }
  Units& units() { return units_; }

  // Start of an I/O statement: the host services its windows. When the host
  // is quitting (Exit chosen while the run was working), the run ends here.
  void yield();

  // A console record: its characters, then CR LF.
  void writeConsole(std::string_view line);
  void writeConsole(const records::Record& record) { writeConsole(record.str()); }
  // A prompt: no line end, the answer is typed behind it.
  void prompt(const records::Record& record);
  // An answer line as a text of `length` characters. When the console input
  // has ended the run stops (status kExitEndOfInput): no prompt can loop on it.
  records::Text readConsole(std::size_t length);
  // Like readConsole, but the whole line (trailing blanks kept).
  records::Text readConsoleLine();
  // The answer line's bytes as typed, up to `capacity` of them.
  std::string readConsoleBytes(std::size_t capacity);

  // Opens a unit; a failure of a statement without failure branch ends the run.
  OpenResult open(Unit unit, const std::string& path, OpenFor purpose);
  void openOrDie(Unit unit, const std::string& path, OpenFor purpose);
  // One report (or other output unit) line; a write failure ends the run.
  void writeUnit(Unit unit, std::string_view line);
  void writeUnit(Unit unit, const records::Record& record) { writeUnit(unit, record.str()); }
  // Lets the host service its windows and says whether the run is to stop
  // (a stop signal came, or the host is quitting); the next yield ends it.
  bool stopAsked();

  // The message as a console line, then one console line read and dropped.
  // A pause only waits before the run's end: when the console input has
  // ended there, the run ends quietly with the status it was about to end
  // with, not as a run stopped for want of an answer.
  void pause(std::string_view message, int statusAfter);
  // Nobody answers this run (its answers came with the command line): a
  // pause writes its message and goes on, and nothing waits for a reader.
  void askNothing() { askNothing_ = true; }
  // Everything the report is to hold has been written: a stop from now on
  // leaves it as it is.
  void reportComplete() { reportComplete_ = true; }
  // Runs the program to its end; its exit status. An allocation failure ends
  // the run with " *** Out of memory ***" and kExitIoFailure.
  int execute(const std::function<void(Runtime&)>& program);
  // The message as a console line unless it is a single blank; every unit
  // closed; the terminate hook; then unwinds with RunEnded{status}.
  [[noreturn]] void endRun(std::string_view message, int status);
  // A fatal I/O failure: a console line naming the file and the reason, then
  // the end of run with kExitIoFailure.
  [[noreturn]] void fatalIo(std::string_view action, std::string_view file, std::string_view reason);
  // The run stopped before its end: the report marked (unless complete), the
  // same line on the console when tellConsole, then the end of run.
  [[noreturn]] void stopRun(int status, bool tellConsole);

 private:
  void writeBytes(std::string_view bytes);
  // The next console line, or nullopt when the console input has ended.
  std::optional<std::string> readAnswer(std::size_t capacity);
  // Ends the run when a stop signal came or the host is quitting.
  void stopIfAsked();
  friend class UnitLines;
  // The report's last line says that it is incomplete, when there is a report
  // that can still be written and the run has not completed it.
  void markReportIncomplete();
  [[noreturn]] void outOfMemory();

  Console& console_;
  Units units_;
  bool promptOpen_ = false;  // the last console write left its line open
  bool reportComplete_ = false;
  bool askNothing_ = false;
};

// The lines of an input unit, for the readers. Before each line the host
// services its windows. A stop asked for or a failed read makes the source
// fail, so that the readers stop where they are; once their notices are
// shown, endRunOnFailure ends the run as the failure demands.
class UnitLines : public records::RecordSource {
 public:
  UnitLines(Runtime& rt, Unit unit) : rt_(rt), unit_(unit) {}
  records::ReadStatus next(records::Text& line) override;
  bool lastCut() const override;
  bool startBytes(std::string& bytes, std::size_t limit) override;
  // A stop asked for ends the run as a stop; a failing disk is no end of the
  // file, and the series after it would be lost without a word: the run ends
  // with the file's name and the system's reason.
  [[noreturn]] void endRunOnFailure();

 private:
  Runtime& rt_;
  Unit unit_;
};

}  // namespace veska::runtime
