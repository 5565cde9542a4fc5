#include "input/data_file_prompt.h"

namespace veska::input {

bool isBailOut(std::u32string_view answer) {
  if (answer.empty() || answer.front() != U'/') return false;
  return answer.find_first_not_of(U" \t", 1) == std::u32string_view::npos;
}

std::u32string openDataFile(records::Runtime& rt, int unit) {
  for (;;) {
    records::Record prompt;
    prompt.blanks(1).text("File name (/ to exit)").column(45).text("==> ");
    rt.prompt(prompt);
    std::u32string fileName = rt.readConsoleLine();
    if (isBailOut(fileName)) rt.endRun(" ", records::kExitNormal);
    const auto end = fileName.find_last_not_of(U" \t");
    fileName.resize(end == std::u32string::npos ? 0 : end + 1);
    std::string path = records::toUtf8(fileName);
    if (path.empty()) {
      if (auto chosen = rt.console().chooseFileForEmptyName()) path = *chosen;
    }
    if (!path.empty() && rt.open(unit, path, records::OpenStatus::Old).ok) return records::fromUtf8(path);
    rt.writeConsole("");
    rt.writeConsole(records::Record().column(5).text("*** FILE CANNOT BE OPENED. TRY AGAIN OR BAILOUT ***"));
  }
}

}  // namespace veska::input
