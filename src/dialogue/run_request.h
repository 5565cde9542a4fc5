// The answers of a run given before it starts, as veska-console's command
// line gives them: with a request, the run driver asks no question and
// pauses nowhere; everything else, and the report above all, is the run the
// dialogue makes from the same answers.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

#include "input/decadal_line.h"

namespace veska::dialogue {

// The report's file, in the directory the run was started from.
inline constexpr const char* kReportFileName = "VESKA.OUT";

struct RunRequest {
  std::string undated;  // the file's name, as the dialogue would be given it
  input::Layout undatedLayout = input::Layout::RingWidths;
  std::optional<std::string> dated;
  input::Layout datedLayout = input::Layout::RingWidths;
  std::string report = kReportFileName;
  bool pairLinesOnConsole = true;
  // Told after each pair of the match phase is written.
  std::function<void(std::size_t written, std::size_t total)> progress;
};

}  // namespace veska::dialogue
