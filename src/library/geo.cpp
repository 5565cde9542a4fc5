#include "library/geo.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <numbers>
#include <utility>

#include "library/countries.h"
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

// A pair read from a header, and, where the writing is ambiguous, the other
// way to read it.
struct Reading {
  GeoPoint point;
  std::optional<GeoPoint> otherwise;
};

// Reads [+-NS]DDMM then [+-EW]DDDMM (or one blank and an unsigned DDDMM) at
// `at`. Without a sign before the latitude, a dash before 3 or 4 digits may
// only separate the two (`4620-747`, `4702-1338`: east): 3 digits are read
// so, 4 both ways, the west first, for the country to decide.
std::optional<Reading> signedPairAt(const std::string& s, std::size_t at) {
  if (at > 0 && s[at - 1] != ' ') return std::nullopt;
  double latSign = 1.0;
  std::size_t i = at;
  const bool latSigned = i < s.size() && (s[i] == '+' || s[i] == '-' || s[i] == 'N' || s[i] == 'S');
  if (latSigned) {
    latSign = (s[i] == '-' || s[i] == 'S') ? -1.0 : 1.0;
    ++i;
  }
  if (digitRun(s, i) != 4) return std::nullopt;
  const auto lat = degreesMinutes(s.substr(i, 4));
  i += 4;
  const bool blank = i < s.size() && s[i] == ' ';
  if (blank) ++i;
  double lonSign = 1.0;
  const bool dash = !blank && i < s.size() && s[i] == '-';
  if (i < s.size() && (s[i] == '+' || s[i] == '-' || s[i] == 'E' || s[i] == 'W')) {
    lonSign = (s[i] == '-' || s[i] == 'W') ? -1.0 : 1.0;
    ++i;
  } else if (!blank) {
    return std::nullopt;
  }
  const std::size_t lonDigits = digitRun(s, i);
  const bool separator = dash && !latSigned && (lonDigits == 3 || lonDigits == 4);
  if (lonDigits != 4 && lonDigits != 5 && !separator) return std::nullopt;
  if (!boundary(s, i + lonDigits)) return std::nullopt;
  const auto lon = degreesMinutes(s.substr(i, lonDigits));
  if (!lat || !lon) return std::nullopt;
  const GeoPoint east{latSign * *lat, *lon};
  if (separator && lonDigits == 3) return Reading{east, std::nullopt};
  Reading r{GeoPoint{latSign * *lat, lonSign * *lon}, std::nullopt};
  if (separator) r.otherwise = east;
  return r;
}

// Reads DDMMDDDMM, nine digits run together (`522501338`): north and east.
std::optional<Reading> runTogetherAt(const std::string& s, std::size_t at) {
  if ((at > 0 && s[at - 1] != ' ') || digitRun(s, at) != 9 || !boundary(s, at + 9)) return std::nullopt;
  const auto lat = degreesMinutes(s.substr(at, 4));
  const auto lon = degreesMinutes(s.substr(at + 4, 5));
  if (!lat || !lon) return std::nullopt;
  return Reading{GeoPoint{*lat, *lon}, std::nullopt};
}

// Reads DDMM[NS]DDDMM[EW] at `at`, an elevation's digits allowed right
// behind (`5155N00912E045`).
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
  const std::size_t after = lonAt + lonDigits + 1;
  if (after < s.size() && std::isalpha(static_cast<unsigned char>(s[after]))) return std::nullopt;
  const auto lat = degreesMinutes(s.substr(at, 4));
  const auto lon = degreesMinutes(s.substr(lonAt, lonDigits));
  if (!lat || !lon) return std::nullopt;
  return GeoPoint{ns == 'S' ? -*lat : *lat, ew == 'W' ? -*lon : *lon};
}

// The text of the line numbered 2 from the number on, up to a gap of two
// blanks: the country (or state) field, and then the species name.
std::vector<std::string> fieldsOfLine2(const std::vector<std::u32string>& titleLines) {
  for (const std::u32string& title : titleLines) {
    const std::string line = asciiLine(title);
    if (headerLineNumber(line) != 2) continue;
    std::vector<std::string> fields;
    std::size_t at = 9;
    while (at < line.size()) {
      while (at < line.size() && line[at] == ' ') ++at;
      std::size_t end = at;
      while (end < line.size() && !(line[end] == ' ' && (end + 1 >= line.size() || line[end + 1] == ' '))) ++end;
      if (end > at) fields.push_back(line.substr(at, end - at));
      at = end;
    }
    return fields;
  }
  return {};
}

bool isCode(const std::string& word) {
  if (word.size() != 4) return false;
  for (const char c : word)
    if (c < 'A' || c > 'Z') return false;
  return true;
}

bool isVariableKeyword(const std::string& word) {
  return word.starts_with("WIDTH_") || word.starts_with("DENSITY_") || word.starts_with("LATEWOOD_");
}

// The code at the end of the line numbered 1: the line's last word (a
// closing "-" aside), standing apart from the site name by three blanks or
// more or beyond column 59, or right behind the variable's keyword. A last
// word of the name itself (WALD, SEAL) is none of these.
std::string codeOfLine1(const std::string& line) {
  std::vector<std::pair<std::size_t, std::string>> words;
  for (std::size_t at = 9; at < line.size();) {
    while (at < line.size() && line[at] == ' ') ++at;
    std::size_t end = at;
    while (end < line.size() && line[end] != ' ') ++end;
    if (end > at) words.emplace_back(at, line.substr(at, end - at));
    at = end;
  }
  if (!words.empty() && words.back().second == "-") words.pop_back();
  if (words.size() < 2 || !isCode(words.back().second)) return {};
  const auto& [at, code] = words.back();
  const auto& [beforeAt, before] = words[words.size() - 2];
  const bool apart = at >= beforeAt + before.size() + 3;
  return apart || at >= 59 || isVariableKeyword(before) ? code : std::string();
}

// Common English names of the species the line numbered 2 may name instead
// of a code.
std::string codeOfName(std::string name) {
  for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  static const std::pair<const char*, const char*> kNames[] = {
      {"STONE PINE", "PICE"},       {"SWISS STONE PINE", "PICE"}, {"AROLLA PINE", "PICE"},
      {"NORWAY SPRUCE", "PCAB"},    {"EUROPEAN LARCH", "LADE"},   {"SCOTS PINE", "PISY"},
      {"SCOTCH PINE", "PISY"},      {"SILVER FIR", "ABAL"},       {"EUROPEAN BEECH", "FASY"},
      {"BEECH", "FASY"},            {"SESSILE OAK", "QUPE"},      {"DURMAST OAK", "QUPE"},
      {"PEDUNCULATE OAK", "QURO"},  {"ENGLISH OAK", "QURO"},      {"DOWNY OAK", "QUPU"},
      {"OAK", "QUSP"},              {"SWEET CHESTNUT", "CASA"},   {"EUROPEAN CHESTNUT", "CASA"},
      {"AUSTRIAN PINE", "PINI"},    {"BLACK PINE", "PINI"},       {"MOUNTAIN PINE", "PIMU"},
      {"KRUMMHOLZ PINE", "PIMU"},   {"SWISS MOUNTAIN PINE", "PIMU"},
  };
  for (const auto& [known, code] : kNames)
    if (name == known) return code;
  return {};
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

std::optional<Country> decadalCountry(const std::vector<std::u32string>& titleLines) {
  const std::vector<std::string> fields = fieldsOfLine2(titleLines);
  if (fields.empty()) return std::nullopt;
  // The country may be followed by one blank and the species name.
  std::vector<std::string> words = wordsOf(fields.front(), 0);
  for (std::size_t n = std::min<std::size_t>(words.size(), 4); n > 0; --n) {
    std::string name = words[0];
    for (std::size_t k = 1; k < n; ++k) name += " " + words[k];
    if (const auto country = countryNamed(name)) return country;
  }
  return std::nullopt;
}

std::optional<GeoPoint> decadalCoordinates(const std::vector<std::u32string>& titleLines) {
  for (const std::u32string& title : titleLines) {
    const std::string line = asciiLine(title);
    for (std::size_t at = 0; at < line.size(); ++at)
      if (const auto p = letteredPairAt(line, at)) return p;
  }
  const std::optional<Country> country = decadalCountry(titleLines);
  for (const std::u32string& title : titleLines) {
    const std::string line = asciiLine(title);
    if (headerLineNumber(line) != 2) continue;
    for (std::size_t at = 9; at < std::min(line.size(), kCoordinateFieldEnd - 1); ++at) {
      auto r = signedPairAt(line, at);
      if (!r) r = runTogetherAt(line, at);
      if (!r) continue;
      // A dash read as a minus that puts the site outside its country only
      // separated the two numbers.
      if (r->otherwise && country && !inside(*country, r->point) && inside(*country, *r->otherwise))
        return r->otherwise;
      return r->point;
    }
  }
  return std::nullopt;
}

std::string decadalSpeciesCode(const std::vector<std::u32string>& titleLines) {
  for (const std::u32string& title : titleLines) {
    const std::string line = asciiLine(title);
    if (headerLineNumber(line) != 1) continue;
    if (std::string code = codeOfLine1(line); !code.empty()) return code;
    break;
  }
  // On the line numbered 2: a code standing alone as the field after the
  // country, or the species' common name there.
  const std::vector<std::string> fields = fieldsOfLine2(titleLines);
  for (std::size_t k = 1; k < fields.size() && k < 3; ++k) {
    if (isCode(fields[k]) && fields[k] != "PINE" && fields[k] != "TEAK") return fields[k];
    if (std::string code = codeOfName(fields[k]); !code.empty()) return code;
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
