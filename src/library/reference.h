// A reference chronology of a library: what it is called, where its trees
// grew, and its values as read (or built) and as the search compares them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "library/geo.h"

namespace veska::library {

struct Reference {
  // The file name, and for a file of several chronologies a colon and the
  // chronology's identifier (`abetone.crn:ITAL00`).
  std::string name;
  std::u32string id;  // 8 characters, as the report would show it
  std::vector<std::string> titleLines;  // the file's title lines, UTF-8
  std::string species;                  // the species code, or empty
  // As the header gives it; may be off the globe (then not used for maps
  // or distances).
  std::optional<GeoPoint> where;
  int treeCount = 0;  // series averaged into it; 0 for a chronology read as it is
  std::int32_t firstYear = 0;
  std::vector<float> values;    // values[k] belongs to year firstYear + k
  std::vector<float> compared;  // the same prewhitened, as the search compares them
  // Hashes of every stretch of 50 values of the series it was made of (its
  // own values for a chronology), sorted: an undated series that holds one
  // is this reference's own material.
  std::vector<std::uint64_t> stretches;

  std::int32_t lastYear() const { return firstYear + static_cast<std::int32_t>(values.size()) - 1; }
  // Its coordinates when they are on the globe.
  std::optional<GeoPoint> mapped() const { return where && onTheGlobe(*where) ? where : std::nullopt; }
};

// A reference file that gave no reference, and why.
struct RefusedFile {
  std::string name;
  std::string reason;
};

}  // namespace veska::library
