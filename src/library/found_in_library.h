// An undated series that a reference already holds: the undated file, or a
// copy of it, lying in the library folder. Searched against that reference
// it would date itself.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace veska::library {

// A series holds another's rings when this many consecutive values are
// identical, bit for bit, at some placement.
inline constexpr int kSameRings = 50;

// A hash of every stretch of kSameRings consecutive values, sorted (none for
// a shorter series).
std::vector<std::uint64_t> stretchHashes(std::span<const float> values);

// Adds the stretch hashes of `values` to `sorted`, keeping it sorted.
void addStretchHashes(std::vector<std::uint64_t>& sorted, std::span<const float> values);

// Whether any stretch of `series` (its sorted hashes) is among `reference`'s.
bool sharesAStretch(const std::vector<std::uint64_t>& series, const std::vector<std::uint64_t>& reference);

}  // namespace veska::library
