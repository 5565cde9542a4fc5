// Where a reference's trees grew: a point on the globe, read from a data
// file's header, and the distance between two such points.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace veska::library {

// Degrees north (negative south) and east (negative west).
struct GeoPoint {
  double latitude = 0.0;
  double longitude = 0.0;
};

// A latitude within -90..90 and a longitude within -180..180, both finite.
bool onTheGlobe(const GeoPoint& p);

// The great-circle distance in km on a sphere of the Earth's mean radius
// (6371.0088 km), by the haversine formula, which stays exact for points
// close together.
double greatCircleKm(const GeoPoint& a, const GeoPoint& b);

// The coordinates a decadal file's title lines give, as written (they may be
// off the globe; the caller checks). Two places are read:
// - the coordinate field of the header line numbered 2 (columns 7-9), before
//   column 62: degrees and minutes of latitude (4 digits) then of longitude
//   (4 or 5 digits), each signed or with its hemisphere letter before it,
//   joined by the longitude's sign or one blank: `+3101-08715`,
//   `3407-11649`, `S4230 W7350`, `5412 9048`; a number whose minutes exceed
//   59 is no coordinate (years such as `1386-1987` are not);
// - on any title line, the form with hemisphere letters behind the numbers:
//   `4652N01101E`.
std::optional<GeoPoint> decadalCoordinates(const std::vector<std::u32string>& titleLines);

// The species code of a decadal file's header line numbered 1: the last
// word of four capital letters after the line's number (`QUSP`, `PIAR`).
std::string decadalSpeciesCode(const std::vector<std::u32string>& titleLines);

// A decimal number of degrees as a Heidelberg header writes it
// (`51.298236`, `-4.5`); nothing for any other text.
std::optional<double> decimalDegrees(const std::string& text);

}  // namespace veska::library
