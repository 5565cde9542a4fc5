#include "library/found_in_library.h"

#include <algorithm>
#include <bit>

namespace veska::library {
namespace {

// Spreads a value's bits over the whole word, so that near values hash far apart.
std::uint64_t mixed(float v) {
  std::uint64_t z = std::bit_cast<std::uint32_t>(v) + 0x9e3779b97f4a7c15ull;
  z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
  z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
  return z ^ (z >> 31);
}

}  // namespace

std::vector<std::uint64_t> stretchHashes(std::span<const float> values) {
  std::vector<std::uint64_t> hashes;
  if (values.size() < static_cast<std::size_t>(kSameRings)) return hashes;
  // A rolling polynomial hash (arithmetic modulo 2^64): each stretch's hash
  // from the previous one's in a few operations.
  constexpr std::uint64_t kBase = 0x100000001b3ull;
  std::uint64_t power = 1;  // kBase^(kSameRings - 1)
  for (int k = 1; k < kSameRings; ++k) power *= kBase;
  std::uint64_t h = 0;
  for (std::size_t k = 0; k < values.size(); ++k) {
    if (k >= static_cast<std::size_t>(kSameRings)) h -= mixed(values[k - kSameRings]) * power;
    h = h * kBase + mixed(values[k]);
    if (k + 1 >= static_cast<std::size_t>(kSameRings)) hashes.push_back(h);
  }
  std::sort(hashes.begin(), hashes.end());
  return hashes;
}

void addStretchHashes(std::vector<std::uint64_t>& sorted, std::span<const float> values) {
  const std::vector<std::uint64_t> more = stretchHashes(values);
  const auto middle = static_cast<std::ptrdiff_t>(sorted.size());
  sorted.insert(sorted.end(), more.begin(), more.end());
  std::inplace_merge(sorted.begin(), sorted.begin() + middle, sorted.end());
}

bool sharesAStretch(const std::vector<std::uint64_t>& series, const std::vector<std::uint64_t>& reference) {
  auto a = series.begin();
  auto b = reference.begin();
  while (a != series.end() && b != reference.end()) {
    if (*a == *b) return true;
    if (*a < *b) a = std::lower_bound(a, series.end(), *b);
    else b = std::lower_bound(b, reference.end(), *a);
  }
  return false;
}

}  // namespace veska::library
