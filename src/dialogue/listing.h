// The report's listing line of one series and its model.
#pragma once

#include <string>

#include "records/record.h"
#include "records/runtime.h"
#include "stats/ar_model.h"

namespace veska::dialogue {

// Columns 2-6 the number, 9-16 the identifier, 17-19 the order; from order 1
// on, the variance explained and the coefficients in 8-wide fields.
records::Record listingLine(int number, const std::u32string& id, const stats::ArModel& model);
void writeListingLine(records::Runtime& rt, int unit, int number, const std::u32string& id, const stats::ArModel& model);

}  // namespace veska::dialogue
