#include "runtime/runtime.h"

#include <cerrno>
#include <cstring>
#include <new>

#include "runtime/shown_text.h"
#include "runtime/stop_signals.h"

namespace veska::runtime {
namespace {

// Bytes kept of an answer: more than any name or answer the run asks for.
constexpr std::size_t kAnswerBytes = 4096;

// A unit that was never opened has no file name to show.
std::string_view unitName(Unit unit) {
  switch (unit) {
    case Unit::DatedSeries:
      return "the dated series' file";
    case Unit::UndatedSeries:
      return "the undated series' file";
    case Unit::Report:
      break;
  }
  return "the report";
}

}  // namespace

void Runtime::yield() {
  console_.yield();
  stopIfAsked();
}

void Runtime::stopIfAsked() {
  if (const int signal = pendingStopSignal()) stopRun(kExitSignalBase + signal, true);
  // The host's windows are going: nothing more can be shown in them.
  if (auto quit = console_.quitStatus()) stopRun(*quit, false);
}

void Runtime::writeConsole(std::string_view line) {
  yield();
  std::string bytes(line);
  bytes += "\r\n";
  promptOpen_ = false;
  writeBytes(bytes);
}

void Runtime::prompt(const records::Record& record) {
  yield();
  promptOpen_ = true;
  writeBytes(record.str());
}

records::Text Runtime::readConsoleLine() { return records::decodeLine(readConsoleBytes(kAnswerBytes)); }

std::optional<std::string> Runtime::readAnswer(std::size_t capacity) {
  yield();
  auto line = console_.readLine(capacity);
  if (!line) stopIfAsked();
  return line;
}

std::string Runtime::readConsoleBytes(std::size_t capacity) {
  auto line = readAnswer(capacity);
  if (!line) {
    // The answer never came: end the prompt's line before the message.
    if (promptOpen_) console_.write("\r\n");
    promptOpen_ = false;
    endRun(" *** End of input: run stopped ***", kExitEndOfInput);
  }
  promptOpen_ = false;
  return std::move(*line);
}

void Runtime::writeBytes(std::string_view bytes) {
  if (console_.write(bytes)) return;
  stopIfAsked();
  endRun(" ", kExitIoFailure);
}

records::Text Runtime::readConsole(std::size_t length) { return records::fitRecord(readConsoleLine(), length); }

OpenResult Runtime::open(Unit unit, const std::string& path, OpenFor purpose) {
  yield();
  return units_.open(unit, path, purpose);
}

void Runtime::openOrDie(Unit unit, const std::string& path, OpenFor purpose) {
  const OpenResult result = open(unit, path, purpose);
  if (result.ok) return;
  if (!result.inUse && !result.notPlain) fatalIo("open", path, result.reason);
  std::string message;
  if (result.inUse) {
    message = " *** " + shownName(path) + " is in use by another run ***";
  } else {
    writeConsole("");
    const std::string text = "*** " + shownName(path) + " is a link or not a plain file: left as it is ***";
    message = records::Record().column(5).text(text).str();
  }
  writeConsole(message);
  if (result.inUse) {
    console_.reportInUse(message);
  } else {
    console_.fatalError(message);
  }
  endRun(" ", kExitIoFailure);
}

void Runtime::writeUnit(Unit unit, std::string_view line) {
  yield();
  OutputUnit* out = units_.output(unit);
  if (!out) fatalIo("write", unitName(unit), "Unit not open");
  if (!out->writeLine(line)) fatalIo("write", out->name(), out->error());
}

bool Runtime::stopAsked() {
  console_.yield();
  return pendingStopSignal() != 0 || console_.quitStatus().has_value();
}

records::ReadStatus UnitLines::next(records::Text& line) {
  if (rt_.stopAsked()) return records::ReadStatus::Error;
  InputUnit* in = rt_.units().input(unit_);
  return in ? in->readLine(line) : records::ReadStatus::Error;
}

bool UnitLines::startBytes(std::string& bytes, std::size_t limit) {
  if (rt_.stopAsked()) return false;
  InputUnit* in = rt_.units().input(unit_);
  return in && in->startBytes(bytes, limit);
}

bool UnitLines::lastCut() const {
  const InputUnit* in = rt_.units().input(unit_);
  return in && in->lastLineCut();
}

void UnitLines::endRunOnFailure() {
  rt_.stopIfAsked();
  const InputUnit* in = rt_.units().input(unit_);
  if (!in) rt_.fatalIo("read", unitName(unit_), "Unit not open");
  // The name as the console shows any text (a name typed in Latin-1 included).
  rt_.fatalIo("read", records::toUtf8(records::decodeLine(in->name())), std::strerror(in->readError()));
}

void Runtime::pause(std::string_view message, int statusAfter) {
  writeConsole(message);
  if (askNothing_) return;
  if (!readAnswer(kAnswerBytes)) endRun(" ", statusAfter);
}

void Runtime::endRun(std::string_view message, int status) {
  // A console that can no longer show the message must not stop the end.
  if (message != " ") {
    std::string line(message);
    line += "\r\n";
    console_.write(line);
  }
  // The report could not be closed: a fatal I/O failure, never passed over,
  // whatever else ended the run; said once, when the run is not already
  // ending on such a failure.
  if (const auto failed = units_.closeAll(); failed && status != kExitIoFailure) {
    const std::string failure = " *** Cannot write " + shownName(failed->name) + ": " + failed->reason + " ***";
    console_.write(failure + "\r\n");
    console_.fatalError(failure);
    status = kExitIoFailure;
  }
  console_.terminate(status);
  throw RunEnded{status};
}

void Runtime::fatalIo(std::string_view action, std::string_view file, std::string_view reason) {
  std::string message = " *** Cannot ";
  message += action;
  message += ' ';
  // A name on one line, with nothing in it that a terminal would obey.
  message += shownName(file);
  message += ": ";
  message += reason;
  message += " ***";
  markReportIncomplete();
  writeConsole(message);
  console_.fatalError(message);
  endRun(" ", kExitIoFailure);
}

void Runtime::markReportIncomplete() {
  if (reportComplete_) return;
  OutputUnit* report = units_.output(Unit::Report);
  if (report && !report->failed()) report->writeLine(kIncompleteReportLine);
}

void Runtime::stopRun(int status, bool tellConsole) {
  const bool tell = tellConsole && !reportComplete_;
  markReportIncomplete();
  if (!tell) endRun(" ", status);
  if (promptOpen_) console_.write("\r\n");
  promptOpen_ = false;
  endRun(kIncompleteReportLine, status);
}

void Runtime::outOfMemory() {
  // Written without the console's yield: nothing more is asked of a run
  // that has no memory left than to say so.
  constexpr std::string_view message = " *** Out of memory ***";
  markReportIncomplete();
  if (promptOpen_) console_.write("\r\n");
  promptOpen_ = false;
  console_.write(std::string(message) + "\r\n");
  console_.fatalError(message);
  endRun(" ", kExitIoFailure);
}

int Runtime::execute(const std::function<void(Runtime&)>& program) {
  try {
    try {
      program(*this);
    } catch (const std::bad_alloc&) {
      outOfMemory();
    }
  } catch (const RunEnded& ended) {
    return ended.status;
  }
  return kExitNormal;  // a program that returned ends as a normal run
}

}  // namespace veska::runtime
