// The world's coastlines for the library window's map, from the World
// Vector Shoreline at 1:1,000,000 that Debian's xtide-coastline package
// installs (public domain, no library needed to read it).
//
// The file holds one-degree cells. A header record gives the size of its
// logical records and the units of its coordinates; a bit map says which
// cells hold shoreline; each such cell's data starts in the logical record
// numbered after the cell and may go on in a chain of further records, each
// ending with the position where its data stops and the number of the next
// record. A segment starts with an absolute point (or, when it goes on from
// the record before, a wide offset from the last point), followed by
// one-byte steps in latitude and longitude.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace veska::window {

struct LatLon {
  float latitude = 0.0f;
  float longitude = 0.0f;
};

using Coastline = std::vector<LatLon>;  // a polyline, at least two points

// Where the package puts the file.
inline constexpr const char* kCoastlineFile = "/usr/share/xtide-wvs/wvs1.dat";

// Every coastline segment of the file's bytes, points closer than
// `minStep` degrees to the last one kept dropped (the first and last of a
// segment always kept). Empty for bytes that are not such a file.
std::vector<Coastline> decodeCoastlines(std::string_view bytes, float minStep = 0.0f);

// The file read and decoded; empty when it cannot be read.
std::vector<Coastline> loadCoastlines(const std::string& path, float minStep);

}  // namespace veska::window
