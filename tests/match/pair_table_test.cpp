// The pair table: its header, one row per slot that shows a placement of its
// own, identifiers trimmed and quoted as RFC 4180 says, infinities as Inf, the
// margin empty without slot 2, and numbers that read back as the same bits.
#include "match/pair_table.h"
#include "match/pair_match.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace veska::match {
namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();

RunSeries named(std::u32string id) {
  RunSeries s;
  s.id = std::move(id);
  return s;
}

Slot slot(std::int64_t lastFirst, std::int64_t lastSecond, int overlap, float r, float t) {
  return Slot{t, r, lastFirst, lastSecond, overlap};
}

RunPair pair(std::size_t first, std::size_t second, std::array<Slot, 3> slots, PairTrust trust) {
  RunPair p{first, second, BestThree{}};
  p.best.slots = slots;
  p.best.trust = trust;
  return p;
}

TEST(PairTable, RowsOfEverySlotWithAPlacementOfItsOwn) {
  RunRecord run;
  run.withDated = true;
  run.dated = {named(U"VSK01A  ")};
  run.undated = {named(U" FLT,1  "), named(U"A\"B     "), named(U"\u0411\u04349-06 "), named(U"        ")};
  const Slot empty{};
  run.pairs = {
      // Three placements.
      pair(0, 0,
           {slot(1847, 1160, 160, 0.5f, 7.5f), slot(1774, 1160, 160, 0.25f, 3.25f),
            slot(1759, 1158, 158, -0.125f, -1.5f)},
           {359, {0.00125, 0.5, 1.0}, 4.25f, Verdict::Strong}),
      // Identical stretches twice: infinite t, a margin of 0.
      pair(0, 1, {slot(1900, 60, 60, 1.0f, kInf), slot(1960, 60, 60, 1.0f, kInf), slot(1901, 60, 59, 0.5f, 2.0f)},
           {1961, {0.0, 0.0, 0.75}, 0.0f, Verdict::Strong}),
      // One placement, taken again by the slots left over: one row, no margin.
      pair(0, 2,
           {slot(1050, 1050, 50, -0.25f, -1.75f), slot(1050, 1050, 50, -0.25f, -9.99f),
            slot(1050, 1050, 50, -0.25f, -9.99f)},
           {1, {0.5, 1.0, 1.0}, std::nullopt, Verdict::Chance}),
      // No placement at all: no row.
      pair(0, 3, {empty, empty, empty}, {0, {1.0, 1.0, 1.0}, std::nullopt, Verdict::None}),
  };
  EXPECT_EQ(pairTable(run),
            "series_a,series_b,placements,slot,last_ring_a,last_ring_b,overlap,r,t,p_chance,margin,verdict,"
            "check,break_ring,break_shift,break_p,corrected_t,later_left_out\n"
            "VSK01A,\"FLT,1\",359,1,1847,1160,160,0.5,7.5,0.00125,4.25,strong,cannot check,,,,,0\n"
            "VSK01A,\"FLT,1\",359,2,1774,1160,160,0.25,3.25,0.5,4.25,strong,cannot check,,,,,0\n"
            "VSK01A,\"FLT,1\",359,3,1759,1158,158,-0.125,-1.5,1,4.25,strong,cannot check,,,,,0\n"
            "VSK01A,\"A\"\"B\",1961,1,1900,60,60,1,Inf,0,0,strong,cannot check,,,,,0\n"
            "VSK01A,\"A\"\"B\",1961,2,1960,60,60,1,Inf,0,0,strong,cannot check,,,,,0\n"
            "VSK01A,\"A\"\"B\",1961,3,1901,60,59,0.5,2,0.75,0,strong,cannot check,,,,,0\n"
            "VSK01A,\xD0\x91\xD0\xB4" "9-06,1,1,1050,1050,50,-0.25,-1.75,0.5,,chance,cannot check,,,,,0\n");
}

TEST(PairTable, ASlotWithANaNTStatisticHasNoRow) {
  RunRecord run;
  run.undated = {named(U"A       "), named(U"B       ")};
  const float nan = std::numeric_limits<float>::quiet_NaN();
  run.pairs = {pair(0, 1, {slot(1100, 1100, 100, nan, nan), slot(1101, 1100, 99, 0.25f, 2.5f), Slot{}},
                    {51, {1.0, 0.25, 1.0}, std::nullopt, Verdict::Chance})};
  EXPECT_EQ(pairTable(run),
            "series_a,series_b,placements,slot,last_ring_a,last_ring_b,overlap,r,t,p_chance,margin,verdict,"
            "check,break_ring,break_shift,break_p,corrected_t,later_left_out\n"
            "A,B,51,2,1101,1100,99,0.25,2.5,0.25,,chance,cannot check,,,,,0\n");
}

// The fields of the data rows, split at every comma (no field here is quoted).
std::vector<std::vector<std::string>> fieldsOf(const std::string& table) {
  std::vector<std::vector<std::string>> rows;
  std::istringstream lines(table);
  std::string line;
  std::getline(lines, line);  // the header
  while (std::getline(lines, line)) {
    std::vector<std::string> fields;
    std::istringstream cells(line);
    std::string cell;
    while (std::getline(cells, cell, ',')) fields.push_back(cell);
    if (!line.empty() && line.back() == ',') fields.emplace_back();
    rows.push_back(fields);
  }
  return rows;
}

TEST(PairTable, NumbersReadBackAsTheSameBits) {
  std::mt19937 rng(17);
  std::uniform_real_distribution<float> r(-1.0f, 1.0f);
  std::uniform_real_distribution<double> p(0.0, 1.0);
  RunRecord run;
  run.undated = {named(U"A       "), named(U"B       ")};
  for (int k = 0; k < 200; ++k) {
    const float t = r(rng) * std::ldexp(1.0f, k % 40 - 20);
    run.pairs.push_back(pair(0, 1, {slot(1100, 1100, 100, r(rng), t), Slot{}, Slot{}},
                             {51, {p(rng) * std::ldexp(1.0, -k), 1.0, 1.0}, std::nullopt, Verdict::Chance}));
  }
  const auto rows = fieldsOf(pairTable(run));
  ASSERT_EQ(rows.size(), run.pairs.size());
  for (std::size_t k = 0; k < rows.size(); ++k) {
    SCOPED_TRACE("row " + std::to_string(k + 1));
    const Slot& s = run.pairs[k].best.slots[0];
    ASSERT_EQ(rows[k].size(), 18u);
    EXPECT_EQ(std::bit_cast<std::uint32_t>(std::strtof(rows[k][7].c_str(), nullptr)),
              std::bit_cast<std::uint32_t>(s.correlation));
    EXPECT_EQ(std::bit_cast<std::uint32_t>(std::strtof(rows[k][8].c_str(), nullptr)),
              std::bit_cast<std::uint32_t>(s.tStatistic));
    EXPECT_EQ(std::strtod(rows[k][9].c_str(), nullptr), run.pairs[k].best.trust.pChance[0]);
    EXPECT_EQ(rows[k][10], "");
  }
}

TEST(PairTable, NoPlacementPutsTheUndatedLastRingAfterThisYear) {
  // A dated series of 1700-1999 and an undated one of 100 rings whose first
  // 50 are the dated series' last 50: the identical stretch puts its last
  // ring in 2049. Its placements end from 1749 to 2049.
  std::mt19937 rng(5);
  std::normal_distribution<float> normal(0.0f, 1.0f);
  RunSeries dated = named(U"DATED   ");
  dated.firstYear = 1700;
  for (int k = 0; k < 300; ++k) dated.compared.push_back(normal(rng));
  RunSeries piece = named(U"PIECE   ");
  piece.firstYear = 1;
  piece.compared.assign(dated.compared.end() - 50, dated.compared.end());
  for (int k = 0; k < 50; ++k) piece.compared.push_back(normal(rng));
  RunRecord run;
  run.withDated = true;
  run.dated = {dated};
  run.undated = {piece};
  const auto work = makeMatchWork();
  run.pairs = {RunPair{0, 0, searchPair({dated.compared, 1700}, {piece.compared, 1}, *work, MatchRoutine::Direct, Isa::Sse2)}};
  ASSERT_EQ(run.pairs[0].best.slots[0].lastRingFirst, 1999);  // the report's best: the copy

  for (const auto& [latestYear, later] : {std::pair{2100, 0}, {2049, 0}, {2026, 23}, {1900, 149}}) {
    SCOPED_TRACE(latestYear);
    const auto rows = fieldsOf(pairTable(run, latestYear));
    ASSERT_FALSE(rows.empty());
    for (const auto& row : rows) {
      EXPECT_EQ(row[17], std::to_string(later));
      // The year the undated series' last ring is put on.
      EXPECT_LE(std::stoll(row[4]) + (100 - std::stoll(row[5])), latestYear);
    }
    EXPECT_EQ(rows[0][8] == "Inf", latestYear >= 2049);
    EXPECT_EQ(rows[0][2], std::to_string(301 - later));
  }
}

}  // namespace
}  // namespace veska::match
