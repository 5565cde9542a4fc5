#include "match/placed_series.h"

#include <limits>

namespace veska::match {

std::int64_t secondLastYear(const RunSeries& first, const PlacementRow& row,
                            std::optional<std::int64_t> firstLastYear) {
  if (!firstLastYear) return row.secondEndsAt;
  const std::int64_t firstEnds =
      static_cast<std::int64_t>(first.firstYear) + static_cast<std::int64_t>(first.asRead.size()) - 1;
  return row.secondEndsAt + (*firstLastYear - firstEnds);
}

std::optional<input::Series> seriesEndingIn(const RunSeries& series, std::int64_t lastYear) {
  const std::int64_t firstYear = lastYear - static_cast<std::int64_t>(series.asRead.size()) + 1;
  if (firstYear < std::numeric_limits<std::int32_t>::min() || lastYear > std::numeric_limits<std::int32_t>::max())
    return std::nullopt;
  input::Series placed;
  placed.id = series.id;
  placed.firstYear = static_cast<std::int32_t>(firstYear);
  placed.values = series.asRead;
  placed.unit = series.unit;
  return placed;
}

}  // namespace veska::match
