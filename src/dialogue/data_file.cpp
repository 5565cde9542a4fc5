#include "dialogue/data_file.h"

#include "input/series_file.h"
#include "input/source_lines.h"
#include "runtime/shown_text.h"

namespace veska::dialogue {

bool isBailOut(std::u32string_view answer) {
  if (answer.empty() || answer.front() != U'/') return false;
  return answer.find_first_not_of(U' ', 1) == std::u32string_view::npos;
}

std::u32string openDataFile(runtime::Runtime& rt, runtime::Unit unit) {
  for (;;) {
    records::Record prompt;
    prompt.blanks(1).text("File name (/ to exit)").column(45).text("==> ");
    rt.prompt(prompt);
    // The name's bytes as typed: a name in a legacy encoding must open that
    // file, never one whose name is its re-encoding. The whole line, so that
    // a name too long for the system is refused rather than shortened.
    std::string path = rt.readConsoleBytes(runtime::kMaxLineBytes);
    const std::u32string fileName = records::decodeLine(path);
    if (isBailOut(fileName)) rt.endRun(" ", runtime::kExitNormal);
    // Only trailing spaces go: a tab is a character of the name.
    const auto end = path.find_last_not_of(' ');
    path.resize(end == std::string::npos ? 0 : end + 1);
    if (path.empty()) {
      if (auto chosen = rt.console().chooseFileForEmptyName()) path = *chosen;
    }
    if (!path.empty() && rt.open(unit, path, runtime::OpenFor::Reading).ok) return records::decodeLine(path);
    rt.writeConsole("");
    rt.writeConsole(records::Record().column(5).text("*** FILE CANNOT BE OPENED. TRY AGAIN OR BAILOUT ***"));
  }
}

namespace {

[[noreturn]] void carryOut(runtime::Runtime& rt, runtime::UnitLines& source, const input::ReadStop& stop) {
  switch (stop.kind) {
    case input::ReadStop::Kind::SeriesLimit:
      rt.writeConsole("");
      rt.pause(stop.message, runtime::kExitDataLimit);
      rt.endRun(" ", runtime::kExitDataLimit);
    case input::ReadStop::Kind::TableRefused:
      rt.writeConsole("");
      rt.endRun(stop.message, runtime::kExitDataLimit);
    case input::ReadStop::Kind::TextLineLimit:
      rt.endRun(stop.message, runtime::kExitDataLimit);
    case input::ReadStop::Kind::SourceFailed:
      break;
  }
  source.endRunOnFailure();
}

}  // namespace

input::SeriesTable readSeriesFile(runtime::Runtime& rt, runtime::Unit unit, input::Layout layout) {
  runtime::UnitLines source(rt, unit);
  input::SourceLines lines(source);
  input::LoadedFile file = input::loadSeriesFile(lines, layout);
  for (const input::Notice& notice : file.notices)
    for (const std::string& line : input::consoleLines(notice)) rt.writeConsole(line);
  if (file.stop) carryOut(rt, source, *file.stop);
  return std::move(file.table);
}

void endIfNoSeries(runtime::Runtime& rt, const input::SeriesTable& table, const std::u32string& fileName) {
  if (!table.empty()) return;
  rt.writeConsole("");
  const records::Record message = records::Record()
                                      .column(5)
                                      .text("*** No series read from ")
                                      .text(runtime::shownName(records::toUtf8(fileName)))
                                      .text(" ***");
  rt.pause(message.str(), runtime::kExitDataLimit);
  rt.endRun(" ", runtime::kExitDataLimit);
}

}  // namespace veska::dialogue
