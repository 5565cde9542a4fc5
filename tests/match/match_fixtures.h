// Series for the match tests: random ones, adversarial ones, and tables.
#pragma once

#include <bit>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "input/series.h"

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
  input::Series series;
  series.id = std::u32string(id.begin(), id.end());
  series.id.resize(8, U' ');
  series.firstYear = firstYear;
  series.values = values;
  table.push_back(std::move(series));
  return static_cast<int>(table.size());
}

}  // namespace veska::test
