// The match phase as a whole: which pairs, in which order, with which
// headers and separators, in both cases; the fast routine's report and
// console text against the direct one's; a run that ends in the middle.
#include <gtest/gtest.h>

#include <algorithm>
#include <iomanip>
#include <sstream>

#include "match/match_fixtures.h"
#include "match/match_phase.h"
#include "match/match_report.h"
#include "support/test_support.h"

namespace veska::match {
namespace {

struct PhaseText {
  std::string console;
  std::string report;
};

PhaseText runPhase(const input::SeriesTable& undated, const input::SeriesTable& dated, bool withDated,
                   MatchRoutine routine, Isa isa, runtime::Console* consoleOverride = nullptr) {
  test::TempDir dir;
  test::ScriptedConsole scripted;
  runtime::Console& console = consoleOverride ? *consoleOverride : scripted;
  runtime::Runtime rt(console);
  rt.openOrDie(runtime::Unit::Report, "VESKA.OUT", runtime::OpenFor::Writing);
  runMatchPhase(rt, undated, dated, withDated, routine, isa);
  rt.units().closeAll();
  return {scripted.output, test::readFile(dir.file("VESKA.OUT"))};
}

std::vector<std::string> lines(const std::string& text, const std::string& end) {
  std::vector<std::string> out;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t next = text.find(end, at);
    out.push_back(text.substr(at, next - at));
    at = next + end.size();
  }
  return out;
}

// Series "U001".."Unnn" or "D001".. of random values, lengths cycling
// through a few values from 60 to 140.
void fill(input::SeriesTable& table, char prefix, int count, unsigned seed) {
  std::mt19937 rng(seed);
  for (int i = 1; i <= count; ++i) {
    std::ostringstream id;
    id << prefix << std::setw(3) << std::setfill('0') << i;
    test::addSeries(table, id.str(), 1700 + i, test::randomSeries(rng, 60 + (i * 37) % 81));
  }
}

// The report after its heading block as tokens: "H" a column header, "S" a
// group separator, "id1-id2" a pair line. The console as "i-j" per line.
struct Shape {
  std::vector<std::string> report;
  std::vector<std::string> console;
};

std::string trim(const std::string& s) { return s.substr(0, s.find_last_not_of(' ') + 1); }

Shape shapeOf(const PhaseText& text) {
  Shape shape;
  const auto report = lines(text.report, "\n");
  const auto header = columnHeader();
  for (std::size_t i = 6; i < report.size(); ++i) {
    if (report[i] == header[0].str()) {
      EXPECT_EQ(report[i + 1], header[1].str());
      EXPECT_EQ(report[i + 2], header[2].str());
      shape.report.push_back("H");
      i += 2;
    } else if (report[i] == groupSeparator().str()) {
      shape.report.push_back("S");
    } else {
      EXPECT_EQ(report[i].size(), 89u) << report[i];
      shape.report.push_back(trim(report[i].substr(3, 8)) + "-" + trim(report[i].substr(12, 8)));
    }
  }
  const auto console = lines(text.console, "\r\n");
  EXPECT_GE(console.size(), 2u);
  EXPECT_EQ(console[0], "");
  EXPECT_EQ(console[1], "");
  for (std::size_t i = 2; i < console.size(); ++i)
    shape.console.push_back(std::to_string(std::stoi(console[i].substr(7, 4))) + "-" +
                            std::to_string(std::stoi(console[i].substr(24, 4))));
  return shape;
}

// The shape the pairing rule gives: groups of first series i with their
// seconds, a header before group 1 and every multiple of 10.
Shape expectedShape(const std::vector<std::pair<int, std::vector<int>>>& groups, char firstPrefix) {
  Shape shape;
  const auto id = [](char prefix, int n) {
    std::ostringstream s;
    s << prefix << std::setw(3) << std::setfill('0') << n;
    return s.str();
  };
  for (const auto& [i, seconds] : groups) {
    if (i == 1 || i % 10 == 0) shape.report.push_back("H");
    for (int j : seconds) {
      shape.report.push_back(id(firstPrefix, i) + "-" + id('U', j));
      shape.console.push_back(std::to_string(i) + "-" + std::to_string(j));
    }
    shape.report.push_back("S");
  }
  return shape;
}

struct PhaseCase {
  std::string name;
  int undated;
  int dated;
  bool withDated;
};

TEST(MatchPhase, PairsHeadersAndSeparatorsInOrder) {
  const PhaseCase cases[] = {
      {"12 undated", 12, 0, false},          {"25 undated", 25, 0, false},
      {"3 dated, 5 undated", 5, 3, true},    {"3 dated, no undated", 0, 3, true},
      {"one undated", 1, 0, false},          {"no undated", 0, 0, false},
      {"dated table ignored", 4, 3, false},  {"dated answer, no dated", 4, 0, true},
  };
  for (const PhaseCase& c : cases) {
    SCOPED_TRACE(c.name);
    input::SeriesTable undated;
    input::SeriesTable dated;
    fill(undated, 'U', c.undated, 1);
    fill(dated, 'D', c.dated, 2);
    std::vector<std::pair<int, std::vector<int>>> groups;
    const int firsts = c.withDated ? c.dated : c.undated - 1;
    for (int i = 1; i <= firsts; ++i) {
      std::vector<int> seconds;
      for (int j = c.withDated ? 1 : i + 1; j <= c.undated; ++j) seconds.push_back(j);
      groups.emplace_back(i, seconds);
    }
    const PhaseText text = runPhase(undated, dated, c.withDated, MatchRoutine::Fast, bestIsa());
    const Shape shape = shapeOf(text);
    const Shape want = expectedShape(groups, c.withDated ? 'D' : 'U');
    EXPECT_EQ(shape.report, want.report);
    EXPECT_EQ(shape.console, want.console);
    // The title starts in column 6 against dated series, else in column 5.
    const auto report = lines(text.report, "\n");
    ASSERT_GE(report.size(), 6u);
    EXPECT_EQ(report[3].find("BEST THREE"), c.withDated ? 5u : 4u);
  }
}

TEST(MatchPhase, TwentyFiveUndatedHaveHeadersAtGroupsOneTenAndTwenty) {
  input::SeriesTable undated;
  fill(undated, 'U', 25, 3);
  const auto report = lines(runPhase(undated, input::SeriesTable(), false, MatchRoutine::Fast, bestIsa()).report, "\n");
  std::vector<std::string> groupsWithHeader;
  for (std::size_t i = 0; i + 3 < report.size(); ++i)
    if (report[i] == columnHeader()[0].str()) groupsWithHeader.push_back(report[i + 3].substr(3, 4));
  EXPECT_EQ(groupsWithHeader, (std::vector<std::string>{"U001", "U010", "U020"}));
  EXPECT_EQ(std::count(report.begin(), report.end(), groupSeparator().str()), 24);
}

// Tables of awkward series: short ones (no placement at all, or a single
// one), constant ones, copies, NaN and infinite values.
void fillAwkward(input::SeriesTable& table, unsigned seed) {
  std::mt19937 rng(seed);
  const float inf = std::numeric_limits<float>::infinity();
  test::addSeries(table, "SHORT30", 1900, test::randomSeries(rng, 30));
  test::addSeries(table, "SHORT49", 1900, test::randomSeries(rng, 49));
  test::addSeries(table, "JUST50", 1800, test::randomSeries(rng, 50));
  test::addSeries(table, "FLAT", 1700, std::vector<float>(90, 0.25f));
  std::vector<float> base = test::randomSeries(rng, 300);
  test::addSeries(table, "BASE", 1500, base);
  test::addSeries(table, "COPY", 1600, std::vector<float>(base.begin() + 50, base.begin() + 150));
  std::vector<float> holes = test::randomSeries(rng, 180);
  holes[7] = test::arithmeticNaN();
  holes[100] = inf;
  test::addSeries(table, "HOLES", 1650, holes);
  test::addSeries(table, "LONG", 1000, test::randomSeries(rng, 1200));
  test::addSeries(table, "ONE", 2000, {1.5f});
}

TEST(MatchPhase, FastTextIsTheDirectTextAtEveryInstructionSet) {
  input::SeriesTable undated;
  input::SeriesTable dated;
  fillAwkward(undated, 4);
  fill(undated, 'U', 6, 5);
  fillAwkward(dated, 4);  // the same series: identical pairs across the tables too
  for (bool withDated : {false, true}) {
    SCOPED_TRACE(withDated ? "dated" : "undated");
    const PhaseText direct = runPhase(undated, dated, withDated, MatchRoutine::Direct, Isa::Sse2);
    ASSERT_NE(direct.report.find("  Inf"), std::string::npos) << "no infinite t among the pairs";
    // FLAT and HOLES give NaN placements, which never take a slot.
    ASSERT_EQ(direct.report.find("NaN"), std::string::npos) << "a NaN placement took a slot";
    for (Isa isa : kernelIsas()) {
      if (!isaSupported(isa)) continue;
      SCOPED_TRACE(isaName(isa));
      const PhaseText fast = runPhase(undated, dated, withDated, MatchRoutine::Fast, isa);
      EXPECT_EQ(fast.report, direct.report);
      EXPECT_EQ(fast.console, direct.console);
    }
  }
}

// A console that stops working at its n-th write, as a window closed in the
// middle of the phase does.
class FailingConsole : public test::ScriptedConsole {
 public:
  explicit FailingConsole(int writesLeft) : writesLeft_(writesLeft) {}
  bool write(std::string_view bytes) override {
    if (writesLeft_-- <= 0) return false;
    return ScriptedConsole::write(bytes);
  }

 private:
  int writesLeft_;
};

// The run ends at the progress line of the fifth pair: the workers are
// stopped and joined, and the report holds the four pairs before it, since
// every pair's console line comes before its report line.
TEST(MatchPhase, RunEndingMidwayStopsTheWorkersAndKeepsEarlierPairs) {
  input::SeriesTable undated;
  fill(undated, 'U', 30, 7);
  for (MatchRoutine routine : {MatchRoutine::Direct, MatchRoutine::Fast}) {
    test::TempDir dir;
    FailingConsole console(2 + 4);  // the heading's two empty lines, four pairs
    runtime::Runtime rt(console);
    rt.openOrDie(runtime::Unit::Report, "VESKA.OUT", runtime::OpenFor::Writing);
    try {
      runMatchPhase(rt, undated, input::SeriesTable(), false, routine, bestIsa());
      ADD_FAILURE() << "the phase went on after the console failed";
    } catch (const runtime::RunEnded& ended) {
      EXPECT_EQ(ended.status, runtime::kExitIoFailure);
    }
    const auto report = lines(test::readFile(dir.file("VESKA.OUT")), "\n");
    ASSERT_EQ(report.size(), 6u + 3u + 4u);
    EXPECT_EQ(report.back().substr(3, 17), "U001     U005    ");
  }
}

}  // namespace
}  // namespace veska::match
