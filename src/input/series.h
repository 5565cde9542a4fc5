// A tree-ring series as the readers give it and a data file's table of them.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
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

// A year whose ring could not be measured: files write a value below 0
// there (ITRDB's -999), and Heidelberg and CSV files also an empty or NA
// cell. It is no ring: a series is matched over its longest stretch without
// one, and a mean of several series leaves it out of its year. (Zero is a
// ring, one absent at that radius.)
inline constexpr float kMissingValue = std::numeric_limits<float>::quiet_NaN();
inline bool isMissing(float value) { return std::isnan(value); }

struct Series {
  std::u32string id = std::u32string(8, U' ');  // 8 characters, blank-padded
  std::int32_t firstYear = 0;
  // values[k] belongs to year firstYear + k. As read, a series spans every
  // year its file gives it, kMissingValue where a ring is missing; the series
  // of a table to be matched hold no missing value (see longestStretch).
  std::vector<float> values;
  ValueUnit unit = ValueUnit::Decimal;  // how the values stood in the file
  SeriesKeys keys;

  std::int32_t lastYear() const { return firstYear + static_cast<std::int32_t>(values.size()) - 1; }
};

// The longest run of values without a missing one, the earliest of equally
// long runs: `offset` into the values and `length` (0 when every value is
// missing).
struct Stretch {
  std::size_t offset = 0;
  std::size_t length = 0;
};
Stretch longestStretch(const std::vector<float>& values);
std::size_t missingCount(const std::vector<float>& values);
// The series cut to its longest stretch, its first year moved with it.
Series keptStretch(const Series& series);

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
