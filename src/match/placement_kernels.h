// The fast routine's core: the correlation sums of many placements at once,
// one placement per vector lane. Each lane adds its own stretch's values in
// rising index, exactly as correlate does for one placement, so every lane's
// sums carry the same bits as the direct routine's; only the number of
// placements handled per instruction changes.
//
// The lanes of one call share a broadcast stretch (element i of every lane is
// broadcast[i]) and read the other from a contiguous series (lane q's stretch
// starts at contiguous[q]). That is how the placements of one phase look: in
// phase A every stretch of the first series starts at its first value while
// the second series' stretch moves by one per placement, and in phase B the
// other way round.
#pragma once

#include <array>
#include <span>

#include "input/series.h"

namespace veska::match {

// Instruction sets the kernel is built for; chosen at run time. Sse2 is the
// baseline every x86-64 processor has.
enum class Isa { Sse2, Avx2, Avx512 };

const char* isaName(Isa isa);
bool isaSupported(Isa isa);
// The widest instruction set this processor supports.
Isa bestIsa();
// Every instruction set the kernel is built for, narrowest first.
std::span<const Isa> kernelIsas();

// Readable values past the end of a contiguous series: the lanes of a block
// load whole vectors, and lanes past their own overlap read (and drop) them.
inline constexpr int kKernelPadding = 64;

// One call's lanes. What the kernel forms depends on what it is given:
// - no means: both means, Σ(b - mb)², Σ(c - mc)² and Σ(b - mb)(c - mc);
// - meanB only: meanC, Σ(c - mc)² and Σ(b - mb)(c - mc), for lanes that all
//   share one broadcast stretch (the same overlap and meanB in every lane);
// - both means: Σ(b - mb)(c - mc) alone.
// A mean given must be the one correlate forms for that lane's stretch; sums
// are unrounded. Outputs not formed are left untouched.
struct LaneJob {
  const double* broadcast = nullptr;   // the shared stretch, as doubles
  const double* contiguous = nullptr;  // lane q's stretch starts at contiguous[q]
  const int* overlap = nullptr;        // m of lane q; never increasing with q
  int lanes = 0;
  const double* meanB = nullptr;       // in, per lane, or null
  const double* meanC = nullptr;       // in, per lane, or null (only with meanB)
  double* outMeanB = nullptr;
  double* outMeanC = nullptr;
  double* sumBB = nullptr;
  double* sumCC = nullptr;
  double* sumBC = nullptr;
};

// Every lane's stretch must lie inside the contiguous series, and
// kKernelPadding more values must be readable past the series' end. `isa`
// must be supported.
void correlateLanes(const LaneJob& job, Isa isa);

// Working storage of the fast routine, one per thread (about 400 KB).
struct KernelScratch {
  static constexpr std::size_t kLanes = input::kMaxLength;
  std::array<double, input::kMaxLength + kKernelPadding> first{};
  std::array<double, input::kMaxLength + kKernelPadding> second{};
  std::array<int, kLanes> overlap{};
  std::array<double, kLanes> meanB{};
  std::array<double, kLanes> meanC{};
  std::array<double, kLanes> outMeanB{};
  std::array<double, kLanes> outMeanC{};
  std::array<double, kLanes> sumBB{};
  std::array<double, kLanes> sumCC{};
  std::array<double, kLanes> sumBC{};
};

}  // namespace veska::match
