#include "library/library_summary.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "match/csv_text.h"

namespace veska::library {
namespace {

std::string padRight(std::string text, std::size_t width) {
  if (text.size() < width) text.append(width - text.size(), ' ');
  return text;
}

std::string padLeft(const std::string& text, std::size_t width) {
  return text.size() < width ? std::string(width - text.size(), ' ') + text : text;
}

std::string plural(std::size_t n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

using match::fixedDecimals;

std::string references(int n) { return plural(static_cast<std::size_t>(n), "reference", "references"); }

std::string tText(float t) { return std::isinf(t) ? (t > 0 ? "Inf" : "-Inf") : fixedDecimals(t, 2); }

std::vector<std::string> tableLines(const SeriesJudgement& j, const Library& library, int rows) {
  std::size_t nameWidth = 9;
  const int shown = std::min<int>(rows, static_cast<int>(j.rows.size()));
  for (int k = 0; k < shown; ++k)
    nameWidth =
        std::max(nameWidth, library.references[j.rows[static_cast<std::size_t>(k)].outcome.reference].name.size());
  nameWidth = std::min<std::size_t>(nameWidth, 40);
  std::vector<std::string> lines;
  lines.push_back("   rank  " + padRight("reference", nameWidth) +
                  "  species  distance  overlap  end year        t  p_chance  library p  verdict");
  for (int k = 0; k < shown; ++k) {
    const RankedRow& row = j.rows[static_cast<std::size_t>(k)];
    const Reference& ref = library.references[row.outcome.reference];
    const PairOutcome& o = row.outcome;
    std::string line = "  " + padLeft(std::to_string(row.rank), 5) + "  " + padRight(ref.name, nameWidth) + "  " +
                       padRight(ref.species, 7) + "  " +
                       padLeft(row.distanceKm ? fixedDecimals(*row.distanceKm, 0) + " km" : "", 8) + "  ";
    if (o.placed) {
      line += padLeft(std::to_string(o.overlap), 7) + "  " + padLeft(std::to_string(o.endYear), 8) + "  " +
              padLeft(tText(o.t), 7) + "  " + padLeft(probabilityText(o.pChance), 8) + "  " +
              padLeft(probabilityText(row.libraryP), 9) + "  " + row.verdict;
    } else {
      line += "no placement of 50 rings or more";
    }
    lines.push_back(line);
  }
  return lines;
}

// "Dated: ..." with the best reference, or "No reliable date: ..." and why.
std::string verdictLine(const SeriesJudgement& j, const Library& library) {
  const RankedRow* best = j.best();
  if (best && j.dated) {
    const PairOutcome& o = best->outcome;
    return "   Dated: its last ring in " + std::to_string(o.endYear) + ", library p " +
           probabilityText(best->libraryP) + " over " + references(j.searched) + " (best " +
           library.references[o.reference].name + ", t " + tText(o.t) + ", " + std::to_string(o.overlap) +
           " rings of overlap)";
  }
  const std::string why = best ? " (the best " + probabilityText(best->libraryP) + " over " +
                                     references(j.searched) + ")"
                               : " (no reference overlaps it by 50 rings or more)";
  return "   No reliable date: no reference reaches a library p below " + fixedDecimals(kDatedLevel, 2) + why +
         ". The best candidates, for inspection:";
}

}  // namespace

std::string probabilityText(double p) {
  if (std::isnan(p)) return {};
  if (p == 0.0) return "0";
  char buffer[64];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, p, std::chars_format::general, 2).ptr;
  return std::string(buffer, end);
}

std::vector<std::string> librarySummary(const Library& library) {
  std::vector<std::string> lines;
  int means = 0;
  for (const Reference& r : library.references)
    if (r.treeCount > 0) ++means;
  lines.push_back(" Library " + library.folder + ": " +
                  plural(library.references.size(), "reference", "references") + " (" +
                  plural(static_cast<std::size_t>(means), "site mean of ring widths", "site means of ring widths") +
                  ", " + std::to_string(library.references.size() - static_cast<std::size_t>(means)) +
                  " chronologies as read)");
  if (!library.filter.takesAll())
    lines.push_back(" Species " + library.filter.text() + " only: " +
                    plural(static_cast<std::size_t>(library.filteredOut), "reference", "references") +
                    " of other or unknown species left out");
  for (const RefusedFile& f : library.refused) lines.push_back(" Not read: " + f.name + ": " + f.reason);
  for (const DuplicateReference& d : library.duplicates)
    lines.push_back(" *** " + d.dropped + " holds the same series as " + d.kept + " (" + std::to_string(d.firstYear) +
                    "-" + std::to_string(d.lastYear) + "): searched once, as " + d.kept + " ***");
  const std::vector<std::string> off = library.offTheGlobe();
  if (!off.empty()) {
    std::string names;
    for (const std::string& name : off) names += (names.empty() ? "" : ", ") + name;
    lines.push_back(" *** Coordinates off the globe, left off the map and out of the distances: " + names + " ***");
  }
  return lines;
}

std::vector<std::string> seriesSummary(const UndatedSeries& series, const SeriesJudgement& j, const Library& library,
                                       int rows) {
  std::vector<std::string> lines = {"", " Series " + match::trimmedId(series.id) + " (" +
                                            plural(series.values.size(), "ring", "rings") + ")",
                                    verdictLine(j, library)};
  for (const std::size_t r : j.holdingIt)
    lines.push_back("   *** The series is found in the library: " + library.references[r].name +
                    " holds 50 or more of its values unchanged; that reference is left out for it ***");
  if (j.laterLeftOut > 0)
    lines.push_back("   " + std::to_string(j.laterLeftOut) +
                    " placements left out: they put the series' last ring after this year");
  if (!j.consensus.empty()) {
    lines.push_back("   End years proposed by references with p_chance below " + fixedDecimals(kProposingLevel, 2) +
                    ":");
    for (const ProposedYear& y : j.consensus)
      lines.push_back("     " + padLeft(std::to_string(y.endYear), 6) + "  " + references(y.references) +
                      (y.medianDistanceKm ? ", median distance " + fixedDecimals(*y.medianDistanceKm, 0) + " km"
                                          : ""));
  }
  for (const ProposedYear& y : j.rivals)
    lines.push_back("   *** " + std::to_string(y.references) + " references agree on " + std::to_string(y.endYear) +
                    ", not on the best year " + std::to_string(j.best()->outcome.endYear) + " ***");
  for (std::string& line : tableLines(j, library, rows)) lines.push_back(std::move(line));
  return lines;
}

}  // namespace veska::library
