// A site's mean chronology built from its ring-width series, so that a
// file of measured trees can serve as one reference.
#pragma once

#include <cstdint>
#include <vector>

#include "input/series.h"

namespace veska::library {

// Years a mean needs behind each of its values: a year seen by fewer trees
// says more about those trees than about the site.
inline constexpr int kMinTreesPerYear = 3;

struct SiteMean {
  std::int32_t firstYear = 0;
  std::vector<float> values;
  int treeCount = 0;  // series that took part
};

// Each series divided by its own mean (a series whose mean is not positive
// and finite takes no part), then averaged year by year over the years that
// at least kMinTreesPerYear series cover; a missing value
// (input::kMissingValue) is left out of its year and of its series' mean. When those years are not one
// unbroken stretch, the longest stretch is kept (the earliest of equal
// ones). Empty values when no year has enough series.
SiteMean siteMean(const std::vector<input::Series>& series);

}  // namespace veska::library
