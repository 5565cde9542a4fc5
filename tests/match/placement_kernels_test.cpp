// The lane kernel alone: each lane's unrounded double sums must carry the
// bits of deviationSums over the same two stretches, at every instruction
// set, whatever the lane count and overlaps. This is stricter than comparing
// r, which rounds most double-level slips away.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>

#include "match/correlation.h"
#include "match/match_fixtures.h"
#include "match/placement_kernels.h"

namespace veska::match {
namespace {

bool sameBits(double a, double b) { return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b); }

struct LaneShape {
  std::string name;
  std::vector<int> overlap;  // never increasing
};

std::vector<LaneShape> shapes() {
  std::vector<LaneShape> all;
  for (int lanes : {1, 2, 3, 7, 8, 9, 31, 32, 33, 65}) {
    all.push_back({"equal " + std::to_string(lanes), std::vector<int>(static_cast<std::size_t>(lanes), 60)});
    LaneShape falling{"falling " + std::to_string(lanes), {}};
    for (int q = 0; q < lanes; ++q) falling.overlap.push_back(120 - q);
    all.push_back(falling);
  }
  all.push_back({"steps", {90, 90, 90, 70, 70, 51, 50, 50, 3, 2, 1, 0, 0}});
  all.push_back({"all empty", {0, 0, 0, 0, 0}});
  return all;
}

struct LaneResults {
  std::vector<double> meanB, meanC, bb, cc, bc;
  explicit LaneResults(std::size_t lanes) : meanB(lanes, -1), meanC(lanes, -1), bb(lanes, -1), cc(lanes, -1), bc(lanes, -1) {}
};

// Runs the kernel with the means it is given (none, meanB, or both).
LaneResults runKernel(const std::vector<double>& b, const std::vector<double>& c, const LaneShape& shape, Isa isa,
                      const double* meanB, const double* meanC) {
  LaneResults out(shape.overlap.size());
  LaneJob job;
  job.broadcast = b.data();
  job.contiguous = c.data();
  job.overlap = shape.overlap.data();
  job.lanes = static_cast<int>(shape.overlap.size());
  job.meanB = meanB;
  job.meanC = meanC;
  job.outMeanB = out.meanB.data();
  job.outMeanC = out.meanC.data();
  job.sumBB = out.bb.data();
  job.sumCC = out.cc.data();
  job.sumBC = out.bc.data();
  correlateLanes(job, isa);
  return out;
}

// With no means given, every lane's sums against deviationSums over its own
// stretches; then the same lanes with the means given, which must change
// nothing (meanB alone only where every lane shares the broadcast stretch).
void checkLanes(const std::vector<float>& b, const std::vector<float>& c, const LaneShape& shape) {
  const std::vector<double> bd(b.begin(), b.end());
  std::vector<double> cd(c.begin(), c.end());
  cd.resize(cd.size() + kKernelPadding, 0.0);
  for (Isa isa : kernelIsas()) {
    if (!isaSupported(isa)) continue;
    SCOPED_TRACE(isaName(isa));
    const LaneResults all = runKernel(bd, cd, shape, isa, nullptr, nullptr);
    const bool shared = std::equal(shape.overlap.begin() + 1, shape.overlap.end(), shape.overlap.begin());
    const LaneResults windows = shared ? runKernel(bd, cd, shape, isa, all.meanB.data(), nullptr) : all;
    const LaneResults cross = runKernel(bd, cd, shape, isa, all.meanB.data(), all.meanC.data());
    for (std::size_t q = 0; q < shape.overlap.size(); ++q) {
      SCOPED_TRACE("lane " + std::to_string(q));
      const auto m = static_cast<std::size_t>(shape.overlap[q]);
      const DeviationSums want = deviationSums(std::span(b).first(m), std::span(c).subspan(q, m));
      ASSERT_TRUE(sameBits(want.xx, all.bb[q])) << want.xx << " vs " << all.bb[q];
      ASSERT_TRUE(sameBits(want.yy, all.cc[q])) << want.yy << " vs " << all.cc[q];
      ASSERT_TRUE(sameBits(want.xy, all.bc[q])) << want.xy << " vs " << all.bc[q];
      ASSERT_TRUE(sameBits(all.meanC[q], windows.meanC[q]));
      ASSERT_TRUE(sameBits(want.yy, windows.cc[q]));
      ASSERT_TRUE(sameBits(want.xy, windows.bc[q]));
      ASSERT_TRUE(sameBits(want.xy, cross.bc[q]));
      // Outputs a mode does not form stay as they were.
      if (shared) {
        ASSERT_EQ(windows.bb[q], -1.0);
      }
      ASSERT_EQ(cross.cc[q], -1.0);
    }
  }
}

TEST(PlacementKernel, LaneSumsMatchTheDirectSumsBitForBit) {
  std::mt19937 rng(3);
  for (const LaneShape& shape : shapes()) {
    SCOPED_TRACE(shape.name);
    // Offset data: means far from zero make every rounding of a mean count.
    std::vector<float> b = test::randomSeries(rng, 200);
    std::vector<float> c = test::randomSeries(rng, 200);
    for (float& v : b) v = 1000.0f + 3.0f * v;
    for (float& v : c) v = -20.0f + 0.01f * v;
    checkLanes(b, c, shape);
    if (::testing::Test::HasFatalFailure()) return;
  }
}

TEST(PlacementKernel, LaneSumsKeepNaNInfinityAndSignedZero) {
  std::mt19937 rng(4);
  std::vector<float> b = test::randomSeries(rng, 200);
  std::vector<float> c = test::randomSeries(rng, 200);
  b[5] = test::arithmeticNaN();
  c[80] = std::numeric_limits<float>::infinity();
  c[81] = -std::numeric_limits<float>::infinity();
  for (std::size_t i = 100; i < 160; ++i) b[i] = -0.0f;
  for (const LaneShape& shape : shapes()) {
    SCOPED_TRACE(shape.name);
    checkLanes(b, c, shape);
    if (::testing::Test::HasFatalFailure()) return;
  }
}

}  // namespace
}  // namespace veska::match
