// What every reader of a whole-file layout must hold on any bytes: each
// series it gives is within the years the report shows, keeps at most the
// length limit of values and counts at least those, and holds only rings
// (finite, 0 or more) and missing values; the loader then takes the
// same bytes through the layout's recognition without a fault.
#pragma once

#include <cmath>
#include <string_view>
#include <vector>

#include "fuzz_support.h"
#include "input/layout_read.h"
#include "input/plain_numbers.h"
#include "input/series_file.h"
#include "input/source_lines.h"
#include "records/text.h"
#include "runtime/units.h"

namespace veska::fuzz {

class UnitLines : public records::RecordSource {
 public:
  explicit UnitLines(std::string_view bytes) : bytes_(bytes), unit_(openBytes(bytes), "fuzz") {}
  records::ReadStatus next(records::Text& line) override { return unit_.readLine(line); }
  bool startBytes(std::string& bytes, std::size_t limit) override {
    bytes = std::string(bytes_.substr(0, limit));
    return true;
  }

 private:
  std::string_view bytes_;
  runtime::InputUnit unit_;
};

inline std::vector<records::Text> linesOf(std::string_view bytes) {
  UnitLines source(bytes);
  std::vector<records::Text> lines;
  records::Text line;
  while (source.next(line) == records::ReadStatus::Ok) lines.push_back(line);
  return lines;
}

inline void checkLayoutRead(const input::LayoutRead& read) {
  for (const auto& item : read.items) {
    const auto* series = std::get_if<input::SeriesRead>(&item);
    if (!series) continue;
    check(series->series.values.size() <= static_cast<std::size_t>(input::kMaxLength), "more values kept than the limit");
    check(series->length >= static_cast<std::int32_t>(series->series.values.size()), "a length below the values kept");
    if (series->series.values.empty()) continue;
    check(input::isShownYear(series->series.firstYear) && input::isShownYear(series->series.lastYear()),
          "a year beyond those the report shows");
    check(series->series.values.front() >= 0 && series->series.values.back() >= 0,
          "a series that begins or ends on a missing value");
    for (float v : series->series.values)
      check(input::isMissing(v) || (std::isfinite(v) && v >= 0), "a value that is neither a ring nor missing");
  }
}

inline void loadThroughRecognition(std::string_view bytes) {
  UnitLines source(bytes);
  input::SourceLines lines(source);
  const input::LoadedFile file = input::loadSeriesFile(lines, input::Layout::RingWidths);
  check(file.table.size() <= static_cast<std::size_t>(input::kMaxSeries), "more series than the limit");
}

}  // namespace veska::fuzz
