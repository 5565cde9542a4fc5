// Drives the readers on strings: the bytes of a data file split into lines as
// a file unit splits them, the series, notices and stops compared as values.
// Also composes data lines column by column.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <utility>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <initializer_list>
#include <vector>

#include "input/decadal_series.h"
#include "input/series_file.h"
#include "input/source_lines.h"
#include "records/text.h"
#include "runtime/units.h"
#include "support/test_support.h"

namespace veska::input::testing {

// A ring-width line: identifier in 1-8, year in 9-12, 6-wide values from 13.
// A year below -999 takes column 8 for its sign, and the identifier 1-7.
inline std::string rwLine(const std::string& id, int year, const std::vector<int>& values) {
  char head[32];
  if (year < -999) std::snprintf(head, sizeof head, "%-7.7s%5d", id.c_str(), year);
  else std::snprintf(head, sizeof head, "%-8.8s%4d", id.c_str(), year);
  std::string line = head;
  for (int v : values) {
    char cell[16];
    std::snprintf(cell, sizeof cell, "%6d", v);
    line += cell;
  }
  return line + "\n";
}

// An index line: identifier in 1-6, year in 7-10, then (4-wide index, 3-wide
// count) pairs; a pair given as 9990 is the usual filler.
inline std::string ixLine(const std::string& id, int year, const std::vector<int>& values, int depth = 5) {
  char head[32];
  std::snprintf(head, sizeof head, "%-6.6s%4d", id.c_str(), year);
  std::string line = head;
  for (int v : values) {
    char cell[16];
    std::snprintf(cell, sizeof cell, "%4d%3d", v, v >= 9990 ? 0 : depth);
    line += cell;
  }
  return line + "\n";
}

// A whole ring-width series from its first year: first line up to the end
// of the decade, then whole decades, then the marker.
inline std::string rwSeries(const std::string& id, int first, const std::vector<int>& values, int marker = 999) {
  std::string out;
  std::vector<int> row;
  int rowStart = first;
  std::vector<int> cells = values;
  cells.push_back(marker);
  for (std::size_t k = 0; k < cells.size(); ++k) {
    const int year = first + static_cast<int>(k);
    if (row.empty()) rowStart = year;
    row.push_back(cells[k]);
    const int next = year + 1;
    if (((next % 10) + 10) % 10 == 0 || k + 1 == cells.size()) {
      out += rwLine(id, rowStart, row);
      row.clear();
    }
  }
  return out;
}

// The bytes as the lines of a data file: split at its line ends and decoded
// (UTF-8 or Latin-1, a byte-order mark dropped) as the run's file units do.
class BytesSource : public records::RecordSource {
 public:
  explicit BytesSource(std::string bytes) : bytes_(std::move(bytes)) {
    if (!bytes_.empty()) unit_.emplace(::fmemopen(bytes_.data(), bytes_.size(), "r"), "data");
  }
  records::ReadStatus next(records::Text& line) override {
    return unit_ ? unit_->readLine(line) : records::ReadStatus::End;
  }
  // The bytes as they are, as a plain file gives them.
  bool startBytes(std::string& bytes, std::size_t limit) override {
    bytes = bytes_.substr(0, limit);
    return true;
  }

 private:
  std::string bytes_;
  std::optional<runtime::InputUnit> unit_;
};

// The data's lines, read as the readers read them; every notice kept in order.
struct DataLines {
  explicit DataLines(const std::string& bytes) : source(bytes), lines(source) {}
  BytesSource source;
  SourceLines lines;
};

class InputTest : public ::testing::Test {
 protected:
  // The bytes as the data file read next.
  void openData(const std::string& bytes) {
    data_ = std::make_unique<DataLines>(bytes);
    notices_.clear();
    stop_.reset();
  }
  SourceLines& lines() { return data_->lines; }

  // One readDecadalSeries call, flattened for the checks: ended when the
  // call found no further series; count is the series' true length.
  struct Read {
    bool ended = false;
    std::u32string id;
    std::int32_t first = 0;
    std::int32_t count = 0;
    std::vector<float> values;
  };
  static Read flatten(const std::optional<SeriesRead>& got) {
    Read out;
    if (!got) {
      out.ended = true;
      return out;
    }
    return {false, got->series.id, got->series.firstYear, got->length, got->series.values};
  }

  // The next series of the data; its notices and stop kept.
  Read read(Layout layout = Layout::RingWidths) {
    SeriesStep step = readDecadalSeries(lines(), layout);
    keep(step.notices, step.stop);
    return flatten(step.series);
  }
  // The whole data loaded; its notices and stop kept.
  SeriesTable load(Layout layout = Layout::RingWidths) {
    LoadedFile file = loadSeriesFile(lines(), layout);
    keep(file.notices, file.stop);
    return std::move(file.table);
  }
  void keep(Notices& notices, std::optional<ReadStop>& stop) {
    for (Notice& n : notices) notices_.push_back(std::move(n));
    if (stop) stop_ = std::move(stop);
  }

  // Every series left in the data, one "identifier first-year count" each,
  // the identifier's trailing blanks removed.
  std::vector<std::string> readAll(Layout layout = Layout::RingWidths) {
    std::vector<std::string> out;
    for (Read r = read(layout); !r.ended; r = read(layout)) {
      std::string id = records::toUtf8(r.id);
      id.erase(id.find_last_not_of(' ') + 1);
      out.push_back(id + " " + std::to_string(r.first) + " " + std::to_string(r.count));
    }
    return out;
  }

  // The notices' console lines, in order.
  std::vector<std::string> consoleLines() const {
    std::vector<std::string> lines;
    for (const Notice& n : notices_)
      for (std::string& line : input::consoleLines(n)) lines.push_back(std::move(line));
    return lines;
  }
  // Reading stopped with this kind and message.
  bool stoppedWith(ReadStop::Kind kind, const std::string& message) const {
    return stop_ && stop_->kind == kind && stop_->message == message;
  }

  std::unique_ptr<DataLines> data_;
  Notices notices_;
  std::optional<ReadStop> stop_;
};

inline std::string utf8(const std::u32string& s) { return records::toUtf8(s); }

// Joins texts. (GCC 12 warns wrongly about "literal" + std::string.)
inline std::string cat(std::initializer_list<std::string_view> parts) {
  std::string out;
  for (std::string_view p : parts) out += p;
  return out;
}

// A title line as readDecadalSeries echoes it: one blank and the line's 80 columns.
inline std::string echoed(std::string_view title) {
  std::string out(1, ' ');
  out += title.substr(0, 80);
  out.resize(81, ' ');
  return out;
}

}  // namespace veska::input::testing
