// A tree-ring series as the readers give it and a data file's table of them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "input/notices.h"
#include "input/value_unit.h"

namespace veska::input {

// A data file's limits: more series, or a longer one, end the run. Tables
// grow with the series read; nothing is set aside for these limits.
inline constexpr int kMaxSeries = 1000;
inline constexpr int kMaxLength = 5000;
// Every placement of a pair overlaps by at least this many rings, so a
// shorter series is read and listed but matched with nothing.
inline constexpr int kMinOverlap = 50;

// What a file's own header says of one series beside its values: the
// Heidelberg layout's keys. Empty for the layouts that have no such header.
struct SeriesKeys {
  bool mean = false;      // a site's mean curve (DataFormat=Chrono) rather than one tree's widths
  std::string species;    // Species, as written
  std::string latitude;   // Latitude and Longitude, decimal degrees as written
  std::string longitude;
};

struct Series {
  std::u32string id = std::u32string(8, U' ');  // 8 characters, blank-padded
  std::int32_t firstYear = 0;
  std::vector<float> values;  // values[k] belongs to year firstYear + k
  ValueUnit unit = ValueUnit::Decimal;  // how the values stood in the file
  SeriesKeys keys;

  std::int32_t lastYear() const { return firstYear + static_cast<std::int32_t>(values.size()) - 1; }
};

// The series of one data file in file order, at most kMaxSeries of at most
// kMaxLength values each.
using SeriesTable = std::vector<Series>;

// A series as a reader found it, before the limits are checked: the readers
// keep at most kMaxLength values but count on to the end of the series, so
// that an overlong series can be reported with its true length.
struct SeriesRead {
  Series series;
  std::int32_t length = 0;  // every value the file holds for it; may exceed series.values.size()
  // The identifier as the file writes it, where that may be longer than the
  // 8 characters kept (Heidelberg and CSV files); empty otherwise.
  std::u32string fullId;
};

// One call of a reader that gives a series at a time: the series (none when
// the lines hold no further one), what it had to tell on the way, and why it
// stopped when it must not go on.
struct SeriesStep {
  std::optional<SeriesRead> series;
  Notices notices;
  std::optional<ReadStop> stop;
};

}  // namespace veska::input
