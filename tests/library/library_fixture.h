// References and undated series made from one shared signal, so that the
// true placement of every piece is known.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "library/found_in_library.h"
#include "library/library_search.h"
#include "library/reference.h"
#include "records/text.h"
#include "stats/whitening.h"

namespace veska::library::testing {

// A common signal over years [first, first + n) with each caller's own noise.
struct Forest {
  std::int32_t first = 1000;
  std::vector<float> signal;
  std::mt19937 rng;

  Forest(std::int32_t firstYear, int n, unsigned seed) : first(firstYear), rng(seed) {
    std::normal_distribution<float> normal(0.0f, 1.0f);
    for (int k = 0; k < n; ++k) signal.push_back(normal(rng));
  }
  // Widths around 1 for years [from, from + n): signal plus noise of the given weight.
  std::vector<float> widths(std::int32_t from, int n, float noise) {
    std::normal_distribution<float> normal(0.0f, 1.0f);
    std::vector<float> v;
    for (int k = 0; k < n; ++k)
      v.push_back(1.0f + 0.2f * (signal[static_cast<std::size_t>(from - first + k)] + noise * normal(rng)));
    return v;
  }
};

inline std::vector<float> whitened(std::vector<float> values) {
  stats::WhiteningWork work(static_cast<int>(values.size()) + 1);
  stats::whiten(values, work);
  return values;
}

inline Reference reference(const std::string& name, std::int32_t firstYear, std::vector<float> values,
                           std::optional<GeoPoint> where = std::nullopt, const std::string& species = "QUSP") {
  Reference r;
  r.name = name;
  r.id = records::fitRecord(records::fromUtf8(name), 8);
  r.species = species;
  r.where = where;
  r.firstYear = firstYear;
  r.values = values;
  r.compared = whitened(std::move(values));
  r.stretches = stretchHashes(r.values);
  return r;
}

inline UndatedSeries undated(const std::string& id, std::vector<float> values) {
  UndatedSeries s;
  s.id = records::fitRecord(records::fromUtf8(id), 8);
  s.firstYear = 1;
  s.values = values;
  s.compared = whitened(std::move(values));
  return s;
}

}  // namespace veska::library::testing
