#include "input/layout_choice.h"

#include <string_view>

#include "input/file_layout.h"
#include "input/series_file.h"
#include "records/runtime.h"

namespace veska::input {
namespace {

// Hears what the loader says while the file is read on the side, answers
// nothing (a limit's pause ends the reading) and keeps only whether a series
// went without its end marker.
class ListeningConsole : public records::Console {
 public:
  bool write(std::string_view bytes) override {
    if (bytes.find("has no end marker") != std::string_view::npos) missingMarker = true;
    return true;
  }
  std::optional<std::string> readLine(std::size_t) override { return std::nullopt; }
  void yield() override {}
  void terminate(int) override {}
  bool missingMarker = false;
};

}  // namespace

std::optional<Layout> layoutFromFile(const std::string& path) {
  ListeningConsole console;
  records::Runtime rt(console);
  std::size_t series = 0;
  bool decadal = true;
  const int status = rt.execute([&](records::Runtime& run) {
    if (!run.open(records::kUndatedUnit, path, records::OpenStatus::Old).ok) run.endRun(" ", records::kExitIoFailure);
    decadal = recognizeLayout(run, records::kUndatedUnit) == FileLayout::Decadal;
    if (decadal) series = loadSeriesFile(run, records::kUndatedUnit, Layout::RingWidths).size();
    run.endRun(" ", records::kExitNormal);
  });
  if (!decadal && status == records::kExitNormal) return Layout::RingWidths;
  // A file beyond the limits holds ring widths all the same when its series
  // end at markers; the run itself then stops at the limit as it should.
  if (status != records::kExitNormal && status != records::kExitDataLimit) return std::nullopt;
  if (console.missingMarker || (series == 0 && status == records::kExitNormal)) return std::nullopt;
  return Layout::RingWidths;
}

}  // namespace veska::input
