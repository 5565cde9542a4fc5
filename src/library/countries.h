// The countries a tree-ring file's header may name, with the box of
// latitudes and longitudes each lies in, so that a site's coordinates can be
// checked against the country its header names: a longitude read with the
// wrong sign, or degrees and minutes run together, lands far outside it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace veska::library {

struct GeoPoint;

struct Country {
  std::string_view name;  // as the summary names it
  double south, north;    // degrees, with a margin of half a degree
  double west, east;      // west > east: the box crosses the date line
};

// The country `text` names (English, or the country's own name in ASCII;
// any letter case), or nothing.
std::optional<Country> countryNamed(std::string_view text);

// The point lies within the country's box.
bool inside(const Country& country, const GeoPoint& point);

}  // namespace veska::library
