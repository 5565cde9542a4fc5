#include "input/layout_choice.h"

#include "input/file_layout.h"
#include "input/series_file.h"

namespace veska::input {

std::optional<Layout> layoutFromLines(SourceLines& lines) {
  if (recognizeLayout(lines) != FileLayout::Decadal) return Layout::RingWidths;
  const LoadedFile file = loadSeriesFile(lines, Layout::RingWidths);
  if (file.stop && file.stop->kind != ReadStop::Kind::SeriesLimit) return std::nullopt;
  if (file.table.empty()) return std::nullopt;
  for (const Notice& notice : file.notices)
    if (notice.kind == Notice::Kind::Warning && notice.text.find("has no end marker") != std::string::npos)
      return std::nullopt;
  return Layout::RingWidths;
}

}  // namespace veska::input
