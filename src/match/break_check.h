// The break check: whether a series that dates against a reference is right
// at one end and a year or two off at the other, as one missed ring (a ring
// absent at that radius, or overlooked) or one false ring (an intra-annual
// band measured as a ring of its own) leaves it.
//
// From the pair's best placement, the search splits the series at every ring
// k and moves the part from k on by s = +1, -1, +2 or -2 years against the
// part before it, one part kept at the best placement (either one), and
// measures the gain in fit of the two parts over the whole series at the
// best placement: n1 log(1 / (1 - r1^2)) - n0 log(1 / (1 - r0^2)), r1 the
// correlation of all pairs of values of the two parts together (n1 of them)
// and r0 that of the whole series (n0). Both parts hold at least 30 pairs.
//
// Before the search both series' compared (prewhitened) values are divided
// by their running spread, the root mean square of the 31 values around each
// (fewer at the ends): without it, the wide swings of juvenile rings near the
// pith make the part they fall in weigh most, and clean series look broken.
//
// The gain of the best split does not follow the textbook chi-square law on
// real series (heavy tails, a chronology's own persistence); its chance
// level break_p comes from the best split of unmodified series against their
// own site's chronology, whose gains beyond it fall off as exp(-gain / 5.92):
// break_p = min(1, exp(-(gain + 7.2) / 5.92)). A break is reported when
// break_p is below 0.03 (a gain above about 13.6). The split reported is the
// one of the best-fitting family (shift, and which part stays) where the
// summed agreement (products of the scaled values) of the two parts is
// greatest: near the best fit, and nearer the true place where r is weak. The gain of a true break grows with the misdated stretch times r^2,
// about 8 / r^2 misdated rings being needed; the shorter part of the overlap
// is the longest stretch that can be misdated, so a pair whose overlap holds
// fewer than 2 x 8 / r^2 rings (r of the whole series at the best placement)
// and shows no break cannot be checked.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace veska::match {

enum class CheckAnswer {
  NotChecked,   // the pair has no placement
  Break,        // a break was found
  None,         // no break, and a break of the usual size would have shown
  CannotCheck,  // the pair is too weak to tell
};

// The answer as the pair table writes it ("" for NotChecked).
std::string_view checkWord(CheckAnswer answer);

inline constexpr int kRunningSpreadWindow = 31;
inline constexpr int kMinPartPairs = 30;
inline constexpr double kBreakFlagChance = 0.03;

// Where the values of the series meet the reference: the reference's value
// at index j + offset meets the series' value j (both from 0).
struct BreakCheck {
  CheckAnswer answer = CheckAnswer::NotChecked;
  // The best split found (filled for Break and None):
  int breakRing = 0;   // from 1: the first ring of the series the correction moves
  int shift = 0;       // +1, +2: rings missing just before breakRing; -1, -2: false rings
  double gain = 0.0;
  double breakP = 1.0;
  // The rings (from 1) between which the break most likely lies: every split
  // whose gain is within 2 of the best one's, around it.
  int likelyFirst = 0;
  int likelyLast = 0;
  // The two parts' placements and t-statistics (over the compared values).
  int earlyOffset = 0;
  int lateOffset = 0;
  float earlyT = 0.0f;
  float lateT = 0.0f;
  int earlyOverlap = 0;
  int lateOverlap = 0;
  // r of the whole series at the best placement, over the scaled values.
  double wholeR = 0.0;
};

// Each value divided by the root mean square of the `window` values centred
// on it (fewer at the ends); 0 where that is 0. Values that are not finite
// count as 0.
std::vector<double> scaledBySpread(std::span<const float> values, int window = kRunningSpreadWindow);

// The chance that the best split of a series without a break gains `gain`.
double chanceOfBreakGain(double gain);

// The search on the compared values of a reference and a series whose best
// placement is `offset`; CannotCheck when the overlap is too short or too
// weak and no break shows.
BreakCheck searchForBreak(std::span<const float> reference, std::span<const float> series, int offset);

// The running agreement of the series with the reference at `offset`: for
// each ring j of the series, the correlation (about 0) of the scaled values
// of the `window` pairs centred on it; NaN where fewer than half of them
// exist. Drawn at the two parts' placements, it shows where a series breaks.
std::vector<float> runningAgreement(std::span<const float> reference, std::span<const float> series, int offset,
                                    int window = kRunningSpreadWindow);

// t of the correlation of reference[j + offset] and series[j] over j in
// [from, to) where both exist; NaN with fewer than 3 pairs. Sets `pairs`.
float partT(std::span<const float> reference, std::span<const float> series, int offset, int from, int to,
            int& pairs);

}  // namespace veska::match
