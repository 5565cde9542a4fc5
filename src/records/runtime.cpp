#include "records/runtime.h"

namespace veska::records {

void Runtime::yield() {
  console_.yield();
  if (auto quit = console_.quitStatus()) endRun(" ", *quit);
}

void Runtime::writeConsole(std::string_view line) {
  yield();
  std::string bytes(line);
  bytes += "\r\n";
  promptOpen_ = false;
  writeBytes(bytes);
}

void Runtime::prompt(const Record& record) {
  yield();
  promptOpen_ = true;
  writeBytes(record.str());
}

Text Runtime::readConsoleLine() {
  yield();
  auto line = console_.readLine(4096);
  if (!line) {
    if (auto quit = console_.quitStatus()) endRun(" ", *quit);
    // The answer never came: end the prompt's line before the message.
    if (promptOpen_) console_.write("\r\n");
    promptOpen_ = false;
    endRun(" *** End of input: run stopped ***", kExitEndOfInput);
  }
  promptOpen_ = false;
  return decodeLine(*line);
}

void Runtime::writeBytes(std::string_view bytes) {
  if (console_.write(bytes)) return;
  if (auto quit = console_.quitStatus()) endRun(" ", *quit);
  endRun(" ", kExitIoFailure);
}

Text Runtime::readConsole(std::size_t length) { return fitRecord(readConsoleLine(), length); }

OpenResult Runtime::open(int unit, const std::string& path, OpenStatus status) {
  yield();
  return units_.open(unit, path, status);
}

void Runtime::openOrDie(int unit, const std::string& path, OpenStatus status) {
  const OpenResult result = open(unit, path, status);
  if (!result.ok) fatalIo("open", path, result.reason);
}

void Runtime::writeUnit(int unit, std::string_view line) {
  yield();
  OutputUnit* out = units_.output(unit);
  if (!out) fatalIo("write", "unit " + std::to_string(unit), "Unit not open");
  if (!out->writeLine(line)) fatalIo("write", out->name(), out->error());
}

ReadStatus Runtime::readUnit(int unit, Text& record, std::size_t length) {
  yield();
  InputUnit* in = units_.input(unit);
  if (!in) return ReadStatus::Error;
  return in->readRecord(record, length);
}

void Runtime::stepBack(int unit) {
  if (InputUnit* in = units_.input(unit)) in->stepBack();
}

void Runtime::pause(std::string_view message) {
  writeConsole(message);
  readConsoleLine();
}

void Runtime::endRun(std::string_view message, int status) {
  // A console that can no longer show the message must not stop the end.
  if (message != " ") {
    std::string line(message);
    line += "\r\n";
    console_.write(line);
  }
  // The report's last buffered lines could not be written: a fatal I/O
  // failure, named with the file and the system's reason, never passed over, whatever else ended the run; said
  // once, when the run is not already ending on such a failure.
  if (const auto failed = units_.closeAll(); failed && status != kExitIoFailure) {
    const std::string failure = " *** Cannot write " + failed->name + ": " + failed->reason + " ***";
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
  message += file;
  message += ": ";
  message += reason;
  message += " ***";
  writeConsole(message);
  console_.fatalError(message);
  endRun(" ", kExitIoFailure);
}

}  // namespace veska::records
