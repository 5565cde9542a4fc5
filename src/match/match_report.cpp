#include "match/match_report.h"

#include "records/numeric_output.h"

namespace veska::match {
namespace {

constexpr const char* kTitle =
    "BEST THREE MATCHING POSITIONS FOR FLOATING SERIES - MATCH SHOWS LAST RINGS COMPARED ";
constexpr const char* kStarLine = "STAR BETWEEN IDENTS INDICATES T-STATISTIC OVER";
constexpr const char* kSlotRule = " ======================";

records::Record& repeat3(records::Record& r, const char* text) { return r.text(text).text(text).text(text); }

}  // namespace

records::Record& slotFields(records::Record& r, const Slot& slot) {
  return r.integer(slot.lastRingFirst, 5)
      .integer(slot.lastRingSecond, 5)
      .integer(slot.overlap, 4)
      .text(correlationText(slot.correlation))
      .fixed(slot.tStatistic, 5, 1);
}

std::string correlationText(float r) {
  std::string text = records::formatFixed(r, 4, 2);
  if (text[0] == '0') text[0] = ' ';
  return text;
}

std::vector<records::Record> headingBlock(bool withDated) {
  std::vector<records::Record> lines(6);
  lines[1].column(3).text(std::string(87, '-'));
  lines[3].column(withDated ? 6 : 5).text(kTitle);
  lines[4].column(21).text(kStarLine).fixed(kStarThreshold, 4, 1);
  return lines;
}

std::vector<records::Record> columnHeader() {
  std::vector<records::Record> lines(3);
  repeat3(lines[0].column(2).text("  FIRST    SECOND").column(21), " LAST RING  N CORR  T- ");
  repeat3(lines[1].column(2).text("  SERIES   SERIES").column(21), " COMPARED  YRS     STAT");
  repeat3(lines[2].column(2).text(" ========").text(" ========").column(21), kSlotRule);
  return lines;
}

records::Record groupSeparator() {
  records::Record r;
  repeat3(r.column(3).text(std::string(17, '=')).column(21), kSlotRule);
  return r;
}

records::Record pairLine(const MatchSeries& first, const MatchSeries& second, const BestThree& best) {
  records::Record r;
  r.column(4).text(first.id, 8).text(std::string(1, best.star)).text(second.id, 8);
  for (const Slot& slot : best.slots) slotFields(r, slot);
  return r;
}

records::Record progressLine(const MatchSeries& first, const MatchSeries& second, const BestThree& best) {
  records::Record r;
  r.text(" Series").integer(first.number, 4).blanks(1).text(first.id, 8);
  r.text(" and").integer(second.number, 4).blanks(1).text(second.id, 8);
  r.text(" T=").fixed(best.slots[0].tStatistic, 5, 1).text(std::string(1, best.star));
  r.text(" with").integer(best.slots[0].overlap, 4).text(" overlap");
  return r;
}

void writeHeadingBlock(runtime::Runtime& rt, runtime::Unit reportUnit, bool withDated) {
  for (const records::Record& line : headingBlock(withDated)) rt.writeUnit(reportUnit, line);
  rt.writeConsole("");
  rt.writeConsole("");
}

void writeColumnHeaderFor(runtime::Runtime& rt, runtime::Unit reportUnit, int i) {
  if (i != 1 && i % 10 != 0) return;
  for (const records::Record& line : columnHeader()) rt.writeUnit(reportUnit, line);
}

void writeGroupSeparator(runtime::Runtime& rt, runtime::Unit reportUnit) { rt.writeUnit(reportUnit, groupSeparator()); }

void writePairLines(runtime::Runtime& rt, runtime::Unit reportUnit, const MatchSeries& first, const MatchSeries& second,
                    const BestThree& best, bool toConsole) {
  if (toConsole) rt.writeConsole(progressLine(first, second, best));
  rt.writeUnit(reportUnit, pairLine(first, second, best));
}

}  // namespace veska::match
