// The series read from one data file. Values of series i (from 1) are held in
// one flat store; value j belongs to year first(i) + j - 1.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace veska::input {

inline constexpr int kMaxSeries = 100;
inline constexpr int kMaxLength = 5000;

struct SeriesTable {
  explicit SeriesTable(int maxSeries = kMaxSeries, int maxLength = kMaxLength)
      : maxSeries(maxSeries),
        maxLength(maxLength),
        ids(static_cast<std::size_t>(maxSeries), std::u32string(8, U' ')),
        first(static_cast<std::size_t>(maxSeries), 0),
        last(static_cast<std::size_t>(maxSeries), 0),
        store(static_cast<std::size_t>(maxSeries) * static_cast<std::size_t>(maxLength), 0.0f) {}

  int maxSeries;
  int maxLength;
  int count = 0;
  std::vector<std::u32string> ids;  // 8 characters each, blank-padded
  std::vector<std::int32_t> first;
  std::vector<std::int32_t> last;
  std::vector<float> store;

  // Series i, numbered from 1.
  const std::u32string& id(int i) const { return ids[static_cast<std::size_t>(i - 1)]; }
  int length(int i) const { return last[static_cast<std::size_t>(i - 1)] - first[static_cast<std::size_t>(i - 1)] + 1; }
  std::span<float> values(int i) {
    return {store.data() + static_cast<std::size_t>(i - 1) * static_cast<std::size_t>(maxLength),
            static_cast<std::size_t>(length(i))};
  }
  std::span<const float> values(int i) const {
    return {store.data() + static_cast<std::size_t>(i - 1) * static_cast<std::size_t>(maxLength),
            static_cast<std::size_t>(length(i))};
  }
};

}  // namespace veska::input
