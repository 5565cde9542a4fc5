#include "library/countries.h"

#include <array>

#include "library/geo.h"

namespace veska::library {
namespace {

struct Box {
  std::string_view names;  // the country's names, separated by "|"; the first is its own
  double south, north, west, east;
};

// The extreme points of each country's land (its main territory and nearby
// islands), rounded outwards.
constexpr std::array<Box, 68> kBoxes = {{
    {"Austria|Osterreich|Oesterreich", 46.37, 49.02, 9.53, 17.16},
    {"Switzerland|Schweiz|Suisse|Svizzera", 45.82, 47.81, 5.95, 10.50},
    {"Germany|Deutschland|West Germany|East Germany|FRG|GDR|BRD|DDR", 47.27, 55.06, 5.86, 15.05},
    {"France", 41.33, 51.10, -5.15, 9.57},
    {"Italy|Italia", 35.49, 47.10, 6.62, 18.52},
    {"Spain|Espana", 27.63, 43.80, -18.17, 4.33},
    {"Portugal", 32.40, 42.16, -31.27, -6.18},
    {"United Kingdom|UK|Great Britain|Britain|England|Scotland|Wales|Northern Ireland", 49.86, 60.86, -8.65, 1.77},
    {"Ireland|Eire", 51.42, 55.39, -10.48, -5.99},
    {"Netherlands|Holland", 50.75, 53.56, 3.35, 7.23},
    {"Belgium|Belgique|Belgie", 49.49, 51.51, 2.54, 6.41},
    {"Luxembourg", 49.44, 50.19, 5.73, 6.54},
    {"Denmark|Danmark", 54.55, 57.76, 8.07, 15.20},
    {"Norway|Norge", 57.96, 71.19, 4.50, 31.17},
    {"Sweden|Sverige", 55.33, 69.07, 11.10, 24.17},
    {"Finland|Suomi", 59.80, 70.10, 19.08, 31.59},
    {"Iceland", 63.29, 66.57, -24.55, -13.49},
    {"Poland|Polska", 49.00, 54.84, 14.12, 24.15},
    {"Czech Republic|Czechia", 48.55, 51.06, 12.09, 18.86},
    {"Slovakia", 47.73, 49.61, 16.83, 22.57},
    {"Czechoslovakia", 47.73, 51.06, 12.09, 22.57},
    {"Hungary|Magyarorszag", 45.74, 48.59, 16.11, 22.90},
    {"Slovenia", 45.42, 46.88, 13.37, 16.61},
    {"Croatia", 42.39, 46.55, 13.49, 19.45},
    {"Bosnia and Herzegovina|Bosnia", 42.55, 45.28, 15.72, 19.62},
    {"Serbia", 42.23, 46.19, 18.81, 23.01},
    {"Montenegro", 41.85, 43.56, 18.43, 20.36},
    {"Yugoslavia", 40.85, 46.88, 13.37, 23.03},
    {"Albania", 39.64, 42.66, 19.26, 21.06},
    {"North Macedonia|Macedonia", 40.85, 42.37, 20.45, 23.03},
    {"Greece", 34.80, 41.75, 19.37, 29.65},
    {"Bulgaria", 41.23, 44.22, 22.36, 28.61},
    {"Romania", 43.62, 48.27, 20.26, 29.70},
    {"Moldova", 45.47, 48.49, 26.62, 30.13},
    {"Ukraine", 44.39, 52.38, 22.14, 40.23},
    {"Belarus", 51.26, 56.17, 23.18, 32.78},
    {"Lithuania", 53.90, 56.45, 20.95, 26.84},
    {"Latvia", 55.67, 58.09, 20.97, 28.24},
    {"Estonia", 57.52, 59.68, 21.76, 28.21},
    {"Russia|Russian Federation|USSR", 41.19, 81.86, 19.64, -169.05},
    {"Turkey|Turkiye", 35.81, 42.11, 25.66, 44.82},
    {"Cyprus", 34.56, 35.70, 32.27, 34.60},
    {"Georgia", 41.05, 43.59, 40.00, 46.74},
    {"Lebanon", 33.05, 34.69, 35.10, 36.62},
    {"Israel", 29.45, 33.34, 34.27, 35.90},
    {"Syria", 32.31, 37.32, 35.70, 42.38},
    {"Iran", 25.06, 39.78, 44.03, 63.33},
    {"Morocco", 27.66, 35.93, -13.17, -0.99},
    {"Algeria", 18.97, 37.10, -8.67, 11.98},
    {"Tunisia", 30.24, 37.54, 7.52, 11.60},
    {"Canada", 41.68, 83.11, -141.01, -52.62},
    {"United States|USA|U.S.A.|United States of America", 18.91, 71.39, -179.15, -66.95},
    {"Mexico", 14.53, 32.72, -118.37, -86.71},
    {"Guatemala", 13.74, 17.82, -92.23, -88.22},
    {"Chile", -55.98, -17.50, -75.71, -66.42},
    {"Argentina", -55.06, -21.78, -73.56, -53.64},
    {"Brazil|Brasil", -33.75, 5.27, -73.99, -34.79},
    {"Bolivia", -22.90, -9.68, -69.65, -57.45},
    {"Peru", -18.35, -0.04, -81.33, -68.65},
    {"China", 18.15, 53.56, 73.50, 134.77},
    {"Mongolia", 41.58, 52.15, 87.73, 119.93},
    {"Japan", 24.04, 45.56, 122.93, 145.82},
    {"Nepal", 26.35, 30.45, 80.06, 88.20},
    {"India", 6.75, 35.50, 68.11, 97.40},
    {"Pakistan", 23.69, 37.10, 60.87, 77.84},
    {"Thailand", 5.61, 20.46, 97.34, 105.64},
    {"Australia", -43.65, -10.06, 113.34, 153.64},
    {"New Zealand", -47.29, -34.39, 166.43, 178.57},
}};

constexpr double kMargin = 0.5;

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool sameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t k = 0; k < a.size(); ++k)
    if (lower(a[k]) != lower(b[k])) return false;
  return true;
}

}  // namespace

std::optional<Country> countryNamed(std::string_view text) {
  for (const Box& box : kBoxes) {
    std::string_view names = box.names;
    const std::string_view own = names.substr(0, names.find('|'));
    while (!names.empty()) {
      const std::size_t bar = names.find('|');
      if (sameName(text, names.substr(0, bar)))
        return Country{own, box.south - kMargin, box.north + kMargin, box.west - kMargin, box.east + kMargin};
      names = bar == std::string_view::npos ? std::string_view() : names.substr(bar + 1);
    }
  }
  return std::nullopt;
}

bool inside(const Country& country, const GeoPoint& point) {
  if (point.latitude < country.south || point.latitude > country.north) return false;
  if (country.west <= country.east) return point.longitude >= country.west && point.longitude <= country.east;
  return point.longitude >= country.west || point.longitude <= country.east;
}

}  // namespace veska::library
