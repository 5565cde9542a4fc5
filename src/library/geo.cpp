#include "library/geo.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <numbers>

#include "library/header_lines.h"

namespace veska::library {
namespace {

constexpr double kEarthRadiusKm = 6371.0088;
// The coordinate field of the numbered header line starts before this
// column (1-based); the years that follow it could read as coordinates.
constexpr std::size_t kCoordinateFieldEnd = 62;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Degrees and minutes written as DDMM or DDDMM; nothing when the minutes
// exceed 59.
std::optional<double> degreesMinutes(const std::string& digits) {
  int value = 0;
  for (const char c : digits) value = value * 10 + (c - '0');
  const int minutes = value % 100;
  if (minutes > 59) return std::nullopt;
  return value / 100 + minutes / 60.0;
}

std::size_t digitRun(const std::string& s, std::size_t at) {
  std::size_t n = 0;
  while (at + n < s.size() && isDigit(s[at + n])) ++n;
  return n;
}

bool boundary(const std::string& s, std::size_t at) { return at >= s.size() || s[at] == ' '; }

// Reads [+-NS]DDMM then [+-EW]DDDMM (or one blank and an unsigned DDDMM) at
// `at`; nothing when the text there is not such a pair.
std::optional<GeoPoint> signedPairAt(const std::string& s, std::size_t at) {
  if (at > 0 && s[at - 1] != ' ') return std::nullopt;
  double latSign = 1.0;
  std::size_t i = at;
  if (i < s.size() && (s[i] == '+' || s[i] == '-' || s[i] == 'N' || s[i] == 'S')) {
    latSign = (s[i] == '-' || s[i] == 'S') ? -1.0 : 1.0;
    ++i;
  }
  if (digitRun(s, i) != 4) return std::nullopt;
  const auto lat = degreesMinutes(s.substr(i, 4));
  i += 4;
  const bool blank = i < s.size() && s[i] == ' ';
  if (blank) ++i;
  double lonSign = 1.0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-' || s[i] == 'E' || s[i] == 'W')) {
    lonSign = (s[i] == '-' || s[i] == 'W') ? -1.0 : 1.0;
    ++i;
  } else if (!blank) {
    return std::nullopt;
  }
  const std::size_t lonDigits = digitRun(s, i);
  if (lonDigits != 4 && lonDigits != 5) return std::nullopt;
  if (!boundary(s, i + lonDigits)) return std::nullopt;
  const auto lon = degreesMinutes(s.substr(i, lonDigits));
  if (!lat || !lon) return std::nullopt;
  return GeoPoint{latSign * *lat, lonSign * *lon};
}

// Reads DDMM[NS]DDDMM[EW] at `at`.
std::optional<GeoPoint> letteredPairAt(const std::string& s, std::size_t at) {
  if (at > 0 && std::isalnum(static_cast<unsigned char>(s[at - 1]))) return std::nullopt;
  if (digitRun(s, at) != 4 || at + 4 >= s.size()) return std::nullopt;
  const char ns = s[at + 4];
  if (ns != 'N' && ns != 'S') return std::nullopt;
  const std::size_t lonAt = at + 5;
  const std::size_t lonDigits = digitRun(s, lonAt);
  if ((lonDigits != 4 && lonDigits != 5) || lonAt + lonDigits >= s.size()) return std::nullopt;
  const char ew = s[lonAt + lonDigits];
  if (ew != 'E' && ew != 'W') return std::nullopt;
  if (lonAt + lonDigits + 1 < s.size() && std::isalnum(static_cast<unsigned char>(s[lonAt + lonDigits + 1])))
    return std::nullopt;
  const auto lat = degreesMinutes(s.substr(at, 4));
  const auto lon = degreesMinutes(s.substr(lonAt, lonDigits));
  if (!lat || !lon) return std::nullopt;
  return GeoPoint{ns == 'S' ? -*lat : *lat, ew == 'W' ? -*lon : *lon};
}

}  // namespace

bool onTheGlobe(const GeoPoint& p) {
  return std::isfinite(p.latitude) && std::isfinite(p.longitude) && std::fabs(p.latitude) <= 90.0 &&
         std::fabs(p.longitude) <= 180.0;
}

double greatCircleKm(const GeoPoint& a, const GeoPoint& b) {
  constexpr double radians = std::numbers::pi / 180.0;
  const double dLat = (b.latitude - a.latitude) * radians;
  const double dLon = (b.longitude - a.longitude) * radians;
  const double h = std::sin(dLat / 2) * std::sin(dLat / 2) +
                   std::cos(a.latitude * radians) * std::cos(b.latitude * radians) * std::sin(dLon / 2) *
                       std::sin(dLon / 2);
  return 2.0 * kEarthRadiusKm * std::asin(std::min(1.0, std::sqrt(h)));
}

std::optional<GeoPoint> decadalCoordinates(const std::vector<std::u32string>& titleLines) {
  for (const std::u32string& title : titleLines) {
    const std::string line = asciiLine(title);
    for (std::size_t at = 0; at < line.size(); ++at)
      if (const auto p = letteredPairAt(line, at)) return p;
  }
  for (const std::u32string& title : titleLines) {
    const std::string line = asciiLine(title);
    if (headerLineNumber(line) != 2) continue;
    for (std::size_t at = 9; at < std::min(line.size(), kCoordinateFieldEnd - 1); ++at)
      if (const auto p = signedPairAt(line, at)) return p;
  }
  return std::nullopt;
}

std::string decadalSpeciesCode(const std::vector<std::u32string>& titleLines) {
  for (const std::u32string& title : titleLines) {
    const std::string line = asciiLine(title);
    if (headerLineNumber(line) != 1) continue;
    std::string code;
    std::size_t at = 9;
    while (at < line.size()) {
      while (at < line.size() && line[at] == ' ') ++at;
      std::size_t end = at;
      while (end < line.size() && line[end] != ' ') ++end;
      const std::string word = line.substr(at, end - at);
      bool capitals = word.size() == 4;
      for (const char c : word) capitals = capitals && c >= 'A' && c <= 'Z';
      if (capitals) code = word;
      at = end;
    }
    return code;
  }
  return {};
}

std::optional<double> decimalDegrees(const std::string& text) {
  std::size_t from = text.find_first_not_of(" \t");
  std::size_t to = text.find_last_not_of(" \t");
  if (from == std::string::npos) return std::nullopt;
  const char* first = text.data() + from;
  const char* last = text.data() + to + 1;
  if (*first == '+') ++first;
  double value = 0.0;
  const auto [end, error] = std::from_chars(first, last, value, std::chars_format::fixed);
  if (error != std::errc() || end != last || !std::isfinite(value)) return std::nullopt;
  return value;
}

}  // namespace veska::library
