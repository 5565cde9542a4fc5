// A smoothing spline through equally spaced values: the curve that a ring
// width series is divided by to free it of its trees' age trend (and of
// slow changes in growth) while keeping its year-to-year signal.
#pragma once

#include <span>
#include <vector>

namespace veska::stats {

// The smoothing parameter that gives a spline whose frequency response is
// one half at a wavelength of `years`: variations shorter than that mostly
// stay in the ratio to the curve, longer ones mostly go into the curve.
double splineStiffness(double years);

// The curve s that minimises sum (y - s)^2 + stiffness * sum (second
// differences of s)^2: the discrete cubic smoothing spline. Its interior
// frequency response is 1 / (1 + stiffness * (2 - 2 cos w)^2). A series of
// fewer than three values is its own curve.
std::vector<double> smoothingSpline(std::span<const double> y, double stiffness);

}  // namespace veska::stats
