// Series for the match tests: random ones, adversarial ones, and tables.
#pragma once

#include <bit>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "input/series_table.h"

namespace veska::test {

inline std::vector<float> randomSeries(std::mt19937& rng, int n) {
  std::normal_distribution<float> normal(0.0f, 1.0f);
  std::vector<float> v(static_cast<std::size_t>(n));
  for (float& x : v) x = normal(rng);
  return v;
}

// The NaN that x86 arithmetic itself produces (inf - inf, 0 / 0): negative,
// quiet, no payload. Every NaN a run meets is this one, since the data
// readers never produce a NaN of their own.
inline float arithmeticNaN() { return std::bit_cast<float>(std::uint32_t{0xFFC00000u}); }

inline bool sameBits(float a, float b) { return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b); }

// Appends a series to a table; returns its number.
inline int addSeries(input::SeriesTable& table, const std::string& id, std::int32_t firstYear,
                     const std::vector<float>& values) {
  const auto at = static_cast<std::size_t>(table.count);
  table.ids[at] = std::u32string(id.begin(), id.end());
  table.ids[at].resize(8, U' ');
  table.first[at] = firstYear;
  table.last[at] = firstYear + static_cast<std::int32_t>(values.size()) - 1;
  std::copy(values.begin(), values.end(), table.store.begin() + static_cast<std::ptrdiff_t>(at) * table.maxLength);
  return ++table.count;
}

}  // namespace veska::test
