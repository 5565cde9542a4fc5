#include "library/library_table.h"

#include "match/csv_text.h"

namespace veska::library {
namespace {

std::string rowText(const std::string& seriesId, const RankedRow& row, const Reference& reference) {
  const PairOutcome& o = row.outcome;
  const auto at = reference.mapped();
  std::vector<std::string> cells = {match::csvField(seriesId),
                                    std::to_string(row.rank),
                                    match::csvField(reference.name),
                                    match::csvField(reference.species),
                                    at ? match::fixedDecimals(at->latitude, 4) : "",
                                    at ? match::fixedDecimals(at->longitude, 4) : "",
                                    row.distanceKm ? match::fixedDecimals(*row.distanceKm, 1) : "",
                                    o.placed ? std::to_string(o.overlap) : "",
                                    o.placed ? std::to_string(o.endYear) : "",
                                    o.placed ? match::csvNumber(o.t) : "",
                                    o.placed ? match::csvNumber(o.pChance) : "",
                                    o.placed ? match::csvNumber(row.libraryP) : "",
                                    row.verdict};
  std::string line;
  for (std::size_t k = 0; k < cells.size(); ++k) line += (k ? "," : "") + cells[k];
  return line + '\n';
}

}  // namespace

void writeLibraryTable(std::ostream& out, const std::vector<UndatedSeries>& series,
                       const std::vector<SeriesJudgement>& judgements, const std::vector<Reference>& references) {
  out << kLibraryTableHeader << '\n';
  for (std::size_t s = 0; s < judgements.size() && s < series.size(); ++s) {
    const std::string id = match::trimmedId(series[s].id);
    for (const RankedRow& row : judgements[s].rows) out << rowText(id, row, references.at(row.outcome.reference));
  }
}

}  // namespace veska::library
