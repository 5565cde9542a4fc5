// The break check of one pair of a run: asked only of a pair whose slot 1
// has p_chance below 0.05 (a weaker pair cannot be checked), of the second
// series (the undated one) against the first at slot 1's placement; and the
// corrected series it proposes, with its t at its own best placement.
#pragma once

#include <span>
#include <vector>

#include "input/value_unit.h"
#include "match/break_check.h"
#include "match/pair_evidence.h"

namespace veska::match {

inline constexpr double kCheckedBelowChance = 0.05;

// The check and, for a break, corrected_t (NaN otherwise).
struct PairCheck {
  BreakCheck check;
  float correctedT = 0.0f;
};

// NotChecked for a pair with no placement; CannotCheck for one whose slot 1
// has p_chance of 0.05 or more (or is no placement, its t being NaN).
// Without `withCorrectedT` corrected_t is left NaN (for a list of pairs that
// shows only the answer).
PairCheck checkPair(const RunSeries& first, const RunSeries& second, const BestThree& best,
                    bool withCorrectedT = true);

// The offset (reference index minus series index) of slot 1's placement.
int slotOffset(const Slot& slot, std::int32_t firstYearA, std::int32_t firstYearB);

// The series as read with the break corrected: for a shift of +1 (+2) one
// (two) rings of width 0 inserted just before ring breakRing (from 1), a ring
// absent at that radius; for -1 (-2) ring breakRing merged into the ring
// before it (and ring breakRing + 1 too): widths add, indices average (a
// false ring splits one year's growth in two, an index does not split).
std::vector<float> correctedValues(std::span<const float> asRead, int breakRing, int shift, input::ValueUnit unit);

// t at slot 1 of the corrected series (prewhitened as the run prewhitens)
// against the first series' compared values.
float correctedT(const RunSeries& first, const RunSeries& second, const BreakCheck& check);

}  // namespace veska::match
