#include "stats/centre.h"

namespace veska::stats {

float centre(std::span<float> x) {
  if (x.empty()) return 0.0f;
  double sum = 0.0;
  for (const float v : x) sum += v;
  const auto mean = static_cast<float>(sum / static_cast<double>(x.size()));
  for (float& v : x) v = static_cast<float>(static_cast<double>(v) - mean);
  return mean;
}

}  // namespace veska::stats
