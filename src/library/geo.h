// Where a reference's trees grew: a point on the globe, read from a data
// file's header, and the distance between two such points.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "library/countries.h"

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
// off the globe; the caller checks). Three places are read:
// - on any title line, the form with hemisphere letters behind the numbers,
//   an elevation's digits allowed behind: `4652N01101E`, `5155N00912E045`;
// - the coordinate field of the header line numbered 2 (columns 7-9), before
//   column 62: degrees and minutes of latitude (4 digits) then of longitude
//   (4 or 5 digits), each signed or with its hemisphere letter before it,
//   joined by the longitude's sign or one blank: `+3101-08715`, `+4026-00154`,
//   `3407-11649`, `S4230 W7350`, `4635 00758`; a number whose minutes exceed
//   59 is no coordinate (years such as `1386-1987` are not). Without a sign
//   before the latitude a dash may only separate the two: before 3 digits it
//   always does (`4620-747`, 7 deg 47 min east), before 4 when the header's
//   country holds the point so read and not the other (`4702-1338` in
//   Austria);
// - there too, nine digits run together, north and east: `522501338`.
std::optional<GeoPoint> decadalCoordinates(const std::vector<std::u32string>& titleLines);

// The country named at the start of the header line numbered 2
// (`Switzerland  Norway Spruce ...`), or nothing.
std::optional<Country> decadalCountry(const std::vector<std::u32string>& titleLines);

// The species code of a decadal header: on the line numbered 1, its last
// word of four capital letters when it stands apart from the site name (by
// three blanks or more, or beyond column 59) or right behind the variable's
// keyword (`Grindelwald BE WIDTH_RING PCAB -`), never a word of the site
// name; else on the line numbered 2, a code standing alone after the
// country, or a common name there (`STONE PINE` is `PICE`).
std::string decadalSpeciesCode(const std::vector<std::u32string>& titleLines);

// A decimal number of degrees as a Heidelberg header writes it
// (`51.298236`, `-4.5`); nothing for any other text.
std::optional<double> decimalDegrees(const std::string& text);

}  // namespace veska::library
