#include "match/placement_kernels.h"

#include "match/correlation.h"

// One copy of the kernel per instruction set, chosen at run time. The vector
// types are GCC's generic vectors: each copy's adds, subtractions and
// multiplications are the plain IEEE double operations of correlate, lane by
// lane. The build's -ffp-contract=off keeps them from being fused, and no
// copy is compiled with FMA enabled.

namespace veska::match {

namespace kernel_sse2 {
typedef double VD __attribute__((vector_size(16)));
typedef long long VM __attribute__((vector_size(16)));
constexpr int W = 2;
constexpr int G = 4;
#include "match/placement_kernel_body.inc"
}  // namespace kernel_sse2

#if defined(__x86_64__)
#define VESKA_WIDE_KERNELS 1

#if defined(__clang__)  // clang has no target pragma: an attribute on every function of the region
#pragma clang attribute push(__attribute__((target("avx2"))), apply_to = function)
#else
#pragma GCC push_options
#pragma GCC target("avx2")
#endif
namespace kernel_avx2 {
typedef double VD __attribute__((vector_size(32)));
typedef long long VM __attribute__((vector_size(32)));
constexpr int W = 4;
constexpr int G = 2;
#include "match/placement_kernel_body.inc"
}  // namespace kernel_avx2
#if defined(__clang__)
#pragma clang attribute pop
#else
#pragma GCC pop_options
#endif

#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("avx512f"))), apply_to = function)
#else
#pragma GCC push_options
#pragma GCC target("avx512f")
#endif
namespace kernel_avx512 {
typedef double VD __attribute__((vector_size(64)));
typedef long long VM __attribute__((vector_size(64)));
constexpr int W = 8;
constexpr int G = 4;
#include "match/placement_kernel_body.inc"
}  // namespace kernel_avx512
#if defined(__clang__)
#pragma clang attribute pop
#else
#pragma GCC pop_options
#endif
#endif

const char* isaName(Isa isa) {
  switch (isa) {
    case Isa::Sse2: return "SSE2";
    case Isa::Avx2: return "AVX2";
    case Isa::Avx512: return "AVX-512";
  }
  return "?";
}

bool isaSupported(Isa isa) {
#ifdef VESKA_WIDE_KERNELS
  switch (isa) {
    case Isa::Sse2: return true;
    case Isa::Avx2: return __builtin_cpu_supports("avx2");
    case Isa::Avx512: return __builtin_cpu_supports("avx512f");
  }
  return false;
#else
  return isa == Isa::Sse2;
#endif
}

Isa bestIsa() {
  static const Isa best = isaSupported(Isa::Avx512) ? Isa::Avx512 : isaSupported(Isa::Avx2) ? Isa::Avx2 : Isa::Sse2;
  return best;
}

std::span<const Isa> kernelIsas() {
  static constexpr Isa all[] = {Isa::Sse2, Isa::Avx2, Isa::Avx512};
  return all;
}

void correlateLanes(const LaneJob& job, Isa isa) {
#ifdef VESKA_WIDE_KERNELS
  if (isa == Isa::Avx512) return kernel_avx512::correlateLanes(job);
  if (isa == Isa::Avx2) return kernel_avx2::correlateLanes(job);
#endif
  (void)isa;
  kernel_sse2::correlateLanes(job);
}

}  // namespace veska::match
