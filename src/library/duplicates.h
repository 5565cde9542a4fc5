// References that hold the same series: the same chronology in two files, a
// ring-width file copied under another name. Searched twice, such a pair
// would count twice in the consensus and in the number of references.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "library/reference.h"

namespace veska::library {

// Two references hold the same series when their values agree exactly over
// at least this many years that both cover, year by year.
inline constexpr int kIdenticalStretch = 100;

struct DuplicateReference {
  std::string kept;     // the earlier reference's name
  std::string dropped;  // the later one's, left out of the search
  std::int32_t firstYear = 0;  // the identical stretch
  std::int32_t lastYear = 0;
};

// Removes every reference that holds an identical stretch of an earlier
// reference (in the vector's order), and says which. Each reference is
// compared with the earlier ones through its aligned 50-year blocks, so the
// cost grows with the library, not with its square.
std::vector<DuplicateReference> dropDuplicates(std::vector<Reference>& references);

}  // namespace veska::library
