// Reproducible simulated series for the statistics tests: a fixed-seed
// Mersenne Twister (whose sequence the standard fixes) and Box-Muller, so
// every platform draws the same values.
#pragma once

#include <cmath>
#include <cstdint>
#include <random>
#include <span>
#include <vector>

namespace veska::test {

class GaussianNoise {
 public:
  explicit GaussianNoise(std::uint32_t seed) : engine_(seed) {}
  double next() {
    const double u1 = uniform();
    const double u2 = uniform();
    return std::sqrt(-2.0 * std::log(u1)) * std::cos(2.0 * 3.14159265358979323846 * u2);
  }

 private:
  double uniform() { return (static_cast<double>(engine_()) + 0.5) / 4294967296.0; }
  std::mt19937 engine_;
};

// x_t = sum phi_i x_(t-i) + e_t + theta e_(t-1), after a burn-in of 200 values,
// plus a level so that the series is not centred to begin with.
inline std::vector<float> simulateArma(std::span<const double> phi, double theta, int n, std::uint32_t seed,
                                       double level = 10.0) {
  GaussianNoise noise(seed);
  const int burnIn = 200;
  std::vector<double> x(static_cast<std::size_t>(n + burnIn), 0.0);
  double previousShock = 0.0;
  for (std::size_t t = 0; t < x.size(); ++t) {
    const double shock = noise.next();
    double value = shock + theta * previousShock;
    for (std::size_t i = 1; i <= phi.size() && i <= t; ++i) value += phi[i - 1] * x[t - i];
    x[t] = value;
    previousShock = shock;
  }
  std::vector<float> series;
  for (std::size_t t = burnIn; t < x.size(); ++t) series.push_back(static_cast<float>(level + x[t]));
  return series;
}

}  // namespace veska::test
