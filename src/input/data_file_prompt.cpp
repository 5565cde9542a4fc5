#include "input/data_file_prompt.h"

namespace veska::input {

bool isBailOut(std::u32string_view answer) {
  if (answer.empty() || answer.front() != U'/') return false;
  return answer.find_first_not_of(U' ', 1) == std::u32string_view::npos;
}

std::u32string openDataFile(records::Runtime& rt, int unit) {
  for (;;) {
    records::Record prompt;
    prompt.blanks(1).text("File name (/ to exit)").column(45).text("==> ");
    rt.prompt(prompt);
    // The name's bytes as typed: a name in a legacy encoding must open that
    // file, never one whose name is its re-encoding. The whole line, so that
    // a name too long for the system is refused rather than shortened.
    std::string path = rt.readConsoleBytes(records::kMaxLineBytes);
    const std::u32string fileName = records::decodeLine(path);
    if (isBailOut(fileName)) rt.endRun(" ", records::kExitNormal);
    // Only trailing spaces go: a tab is a character of the name.
    const auto end = path.find_last_not_of(' ');
    path.resize(end == std::string::npos ? 0 : end + 1);
    if (path.empty()) {
      if (auto chosen = rt.console().chooseFileForEmptyName()) path = *chosen;
    }
    if (!path.empty() && rt.open(unit, path, records::OpenStatus::Old).ok) return records::decodeLine(path);
    rt.writeConsole("");
    rt.writeConsole(records::Record().column(5).text("*** FILE CANNOT BE OPENED. TRY AGAIN OR BAILOUT ***"));
  }
}

}  // namespace veska::input
