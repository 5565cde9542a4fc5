// The library's CSV table, read back field by field.
#include <gtest/gtest.h>

#include <sstream>

#include "library/library_table.h"
#include "library/library_fixture.h"

namespace veska::library {
namespace {

// Splits one RFC 4180 record (no line ends inside fields in these tests).
std::vector<std::string> fields(const std::string& line) {
  std::vector<std::string> out(1);
  bool quoted = false;
  for (std::size_t k = 0; k < line.size(); ++k) {
    const char c = line[k];
    if (quoted && c == '"' && k + 1 < line.size() && line[k + 1] == '"') {
      out.back() += '"';
      ++k;
    } else if (c == '"') {
      quoted = !quoted;
    } else if (c == ',' && !quoted) {
      out.emplace_back();
    } else {
      out.back() += c;
    }
  }
  return out;
}

TEST(LibraryTable, ColumnsQuotingAndEmptyUnknowns) {
  std::vector<Reference> refs = {
      testing::reference("a,\"b\".crn", 1400, std::vector<float>(60, 1.0f), GeoPoint{46.8666, 11.0166}),
      testing::reference("far.crn", 1400, std::vector<float>(60, 1.0f), GeoPoint{95, 11}, "")};
  std::vector<UndatedSeries> series = {testing::undated("Бд89-18", std::vector<float>(60, 1.0f))};
  SeriesJudgement j;
  RankedRow best;
  best.rank = 1;
  best.outcome.reference = 0;
  best.outcome.placed = true;
  best.outcome.overlap = 60;
  best.outcome.endYear = -12;
  best.outcome.t = INFINITY;
  best.outcome.pChance = 0.0;
  best.libraryP = 0.0;
  best.distanceKm = 0.0;
  best.verdict = "dated";
  RankedRow none;
  none.rank = 2;
  none.outcome.reference = 1;
  j.rows = {best, none};

  std::ostringstream out;
  writeLibraryTable(out, series, {j}, refs);
  std::istringstream in(out.str());
  std::string header, first, second, extra;
  std::getline(in, header);
  std::getline(in, first);
  std::getline(in, second);
  EXPECT_FALSE(std::getline(in, extra));
  EXPECT_EQ(header, "series,rank,reference,species,latitude,longitude,distance_km,overlap,end_year,t,p_chance,library_p,verdict");
  EXPECT_EQ(fields(first), (std::vector<std::string>{"Бд89-18", "1", "a,\"b\".crn", "QUSP", "46.8666", "11.0166", "0.0",
                                                     "60", "-12", "Inf", "0", "0", "dated"}));
  // Coordinates off the globe, no placement: every unknown value empty.
  EXPECT_EQ(fields(second), (std::vector<std::string>{"Бд89-18", "2", "far.crn", "", "", "", "", "", "", "", "", "", ""}));
  EXPECT_EQ(out.str().find('\r'), std::string::npos);
}

}  // namespace
}  // namespace veska::library
