// How far a pair's reported placements can be trusted: the chance that two
// series sharing no signal reach a slot's t-statistic at some placement among
// those tried for the pair (p_chance), the margin of slot 1 over slot 2, and
// a one-word verdict built from the two. The report itself never shows them;
// the pair table and the windows do.
//
// p_chance corrects the one-sided t-test for the number of placements tried
// (1 - (1 - p1)^N, p1 from t with overlap - 2 degrees of freedom). Real ring
// series have heavier tails than that test assumes: a few extreme rings
// meeting by chance give t-statistics far above the normal law's. Under no
// common signal the variance of r at a placement is inflated by about
// f = n * sum(a^2 b^2) / (sum(a^2) * sum(b^2)) over the centred compared
// values a and b of its overlap, large where two extreme rings make the
// correlation. The slot's t is divided by the square root of 1 + (f - 1) / 10
// (never by less than 1): f from one overlap is noisy, and at a true date the
// common signal itself (the same extreme years in both trees) raises it, so
// the whole of it throws away true dates; a tenth of its excess calibrated
// best on real unrelated pairs (see the README for the figures).
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string_view>

namespace veska::match {

// From no placement at all to a date that chance hardly ever gives.
enum class Verdict { None, Chance, Possible, Likely, Strong };

struct PairTrust {
  // The placements tried for the pair.
  int placements = 0;
  // Per slot; 1 for a slot no placement fills.
  std::array<double, 3> pChance{1.0, 1.0, 1.0};
  // Slot 1's t-statistic minus slot 2's; none without slot 2. Two infinite
  // t-statistics differ by 0.
  std::optional<float> margin;
  Verdict verdict = Verdict::None;
};

// The verdict's word, as the pair table and the windows show it.
std::string_view verdictWord(Verdict verdict);

// f = n * sum(a^2 b^2) / (sum(a^2) * sum(b^2)) of two stretches of equal
// length, each centred on its own mean; 1 when it cannot be formed (no
// variance, fewer than 3 values, a value that is not finite).
double varianceInflation(std::span<const float> x, std::span<const float> y);

// The chance that a pair sharing no signal reaches t at some of `placements`
// placements, t deflated by the inflation f as above, with overlap - 2
// degrees of freedom. +Inf gives 0, -Inf and NaN give 1.
double chanceOfReaching(float t, int overlap, double inflation, int placements);

// The verdict from slot 1's p_chance and the margin (none without slot 2):
// "strong" below 0.01 with a margin of 1.5 or more (or no slot 2), "likely"
// otherwise below 0.05, "possible" below 0.2, "chance" from 0.2 on.
Verdict verdictOf(double pChance, std::optional<float> margin);

}  // namespace veska::match
