#include "library/duplicates.h"

#include <algorithm>
#include <bit>
#include <unordered_map>

namespace veska::library {
namespace {

// Blocks start on years divisible by kBlock, so every identical stretch of
// 2 * kBlock - 1 years or more holds one whole block.
constexpr int kBlock = kIdenticalStretch / 2;

std::int64_t floorDiv(std::int64_t a, std::int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

bool same(float a, float b) { return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b); }

std::uint64_t blockHash(const Reference& r, std::int64_t year) {
  std::uint64_t h = 1469598103934665603ull;
  for (int k = 0; k < kBlock; ++k) {
    h ^= std::bit_cast<std::uint32_t>(r.values[static_cast<std::size_t>(year - r.firstYear + k)]);
    h *= 1099511628211ull;
  }
  return h;
}

// The stretch of equal values around `year`, which both cover and agree on.
std::pair<std::int64_t, std::int64_t> equalStretch(const Reference& a, const Reference& b, std::int64_t year) {
  const auto agree = [&](std::int64_t y) {
    if (y < a.firstYear || y > a.lastYear() || y < b.firstYear || y > b.lastYear()) return false;
    return same(a.values[static_cast<std::size_t>(y - a.firstYear)], b.values[static_cast<std::size_t>(y - b.firstYear)]);
  };
  if (!agree(year)) return {year, year - 1};
  std::int64_t first = year, last = year;
  while (agree(first - 1)) --first;
  while (agree(last + 1)) ++last;
  return {first, last};
}

template <typename Visit>
void forEachBlock(const Reference& r, Visit visit) {
  for (std::int64_t start = floorDiv(r.firstYear + kBlock - 1, kBlock) * kBlock; start + kBlock - 1 <= r.lastYear();
       start += kBlock)
    visit(start);
}

}  // namespace

std::vector<DuplicateReference> dropDuplicates(std::vector<Reference>& references) {
  std::vector<DuplicateReference> found;
  std::unordered_multimap<std::uint64_t, std::pair<std::size_t, std::int64_t>> blocks;
  std::vector<Reference> kept;
  for (Reference& reference : references) {
    bool duplicate = false;
    forEachBlock(reference, [&](std::int64_t start) {
      if (duplicate) return;
      const auto [from, to] = blocks.equal_range(blockHash(reference, start));
      for (auto it = from; it != to && !duplicate; ++it) {
        if (it->second.second != start) continue;
        const Reference& earlier = kept[it->second.first];
        const auto [first, last] = equalStretch(earlier, reference, start);
        if (last - first + 1 < kIdenticalStretch) continue;
        found.push_back({earlier.name, reference.name, static_cast<std::int32_t>(first), static_cast<std::int32_t>(last)});
        duplicate = true;
      }
    });
    if (duplicate) continue;
    forEachBlock(reference, [&](std::int64_t start) {
      blocks.emplace(blockHash(reference, start), std::make_pair(kept.size(), start));
    });
    kept.push_back(std::move(reference));
  }
  references = std::move(kept);
  return found;
}

}  // namespace veska::library
