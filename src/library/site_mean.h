// A site's chronology built from its ring-width series, so that a file of
// measured trees can serve as one reference.
#pragma once

#include <cstdint>
#include <vector>

#include "input/series.h"

namespace veska::library {

// Years a mean needs behind each of its values: a year seen by fewer trees
// says more about those trees than about the site.
inline constexpr int kMinTreesPerYear = 3;
// The wavelength (years) at which the detrending curve keeps half of a
// variation: the age trend and changes slower than a few decades go, the
// year-to-year signal that dates wood stays.
inline constexpr double kSplineYears = 32.0;
// A stretch of measured rings shorter than this gives no indices.
inline constexpr int kMinDetrendedRings = 10;

struct SiteMean {
  std::int32_t firstYear = 0;
  std::vector<float> values;
  int treeCount = 0;  // series that took part
};

// Each series' stretches of measured rings (a missing value,
// input::kMissingValue, or any value below 0 is no ring) divided by their own smoothing spline (half
// response at kSplineYears), then a robust mean (Tukey's biweight) year by
// year of the indices present, over the years that at least
// kMinTreesPerYear series cover. When those years are not one unbroken
// stretch, the longest stretch is kept (the earliest of equal ones). Empty
// values when no year has enough series.
SiteMean siteMean(const std::vector<input::Series>& series);

// Tukey's biweight mean: the median, then the mean weighted by
// (1 - u^2)^2, u the distance from the current mean in units of nine
// median absolute deviations, repeated until it settles. An outlying tree
// in one year hardly moves it. NaN for no values.
double biweightMean(const std::vector<double>& x);

}  // namespace veska::library
