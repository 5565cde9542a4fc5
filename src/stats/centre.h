// Centring of a series on its mean, shared by fitArModel and prewhiten.
#pragma once

#include <span>

namespace veska::stats {

// Subtracts the mean from every value and returns it. The sum runs in double
// and the mean is rounded once to single precision (D23); each centred value
// is rounded to single precision. An empty series has mean 0.
float centre(std::span<float> x);

}  // namespace veska::stats
