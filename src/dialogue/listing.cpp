#include "dialogue/listing.h"

#include <algorithm>

namespace veska::dialogue {

records::Record listingLine(int number, const std::u32string& id, const stats::ArModel& model) {
  records::Record r;
  r.blanks(1).integer(number, 5).blanks(2).text(id, 8).integer(model.order, 3);
  if (model.order >= 1) {
    r.fixed(model.varianceExplained, 8, 3);
    const int listed = std::min(model.order, stats::kMaxArOrder);
    for (int k = 0; k < listed; ++k) r.fixed(model.coefficients[static_cast<std::size_t>(k)], 8, 3);
  }
  return r;
}

void writeListingLine(records::Runtime& rt, int unit, int number, const std::u32string& id, const stats::ArModel& model) {
  rt.writeUnit(unit, listingLine(number, id, model));
}

}  // namespace veska::dialogue
