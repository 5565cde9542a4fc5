// The report's listing line of one series and its model.
#pragma once

#include <array>
#include <string>

#include "console/io/record.h"
#include "console/io/runtime.h"

namespace veska::run {

struct SeriesModel {
  int order = 0;                    // 0 to 10
  float varianceExplained = 0.0f;   // 0 when the order is 0
  std::array<float, 11> coefficients{};
};

// Columns 2-6 the number, 9-16 the identifier, 17-19 the order; from order 1
// on, the variance explained and the coefficients in 8-wide fields.
io::Record listingLine(int number, const std::u32string& id, const SeriesModel& model);
void writeListingLine(io::Runtime& rt, int unit, int number, const std::u32string& id, const SeriesModel& model);

}  // namespace veska::run
