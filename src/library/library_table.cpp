#include "library/library_table.h"

#include <charconv>
#include <cmath>

#include "records/text.h"

namespace veska::library {
namespace {

template <typename Number>
std::string shortest(Number value) {
  if (std::isinf(value)) return value > 0 ? "Inf" : "-Inf";
  if (std::isnan(value)) return {};
  char buffer[64];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
  return std::string(buffer, end);
}

// Locale-free: a window host may have set a locale with a decimal comma.
std::string fixed(double value, int decimals) {
  char buffer[64];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals).ptr;
  return std::string(buffer, end);
}

std::string trimmed(const std::u32string& id) {
  const std::size_t end = id.find_last_not_of(U' ');
  const std::size_t start = id.find_first_not_of(U' ');
  return end == std::u32string::npos ? std::string() : records::toUtf8(id.substr(start, end - start + 1));
}

std::string rowText(const std::string& seriesId, const RankedRow& row, const Reference& reference) {
  const PairOutcome& o = row.outcome;
  const auto at = reference.mapped();
  std::vector<std::string> cells = {csvField(seriesId),
                                    std::to_string(row.rank),
                                    csvField(reference.name),
                                    csvField(reference.species),
                                    at ? fixed(at->latitude, 4) : "",
                                    at ? fixed(at->longitude, 4) : "",
                                    row.distanceKm ? fixed(*row.distanceKm, 1) : "",
                                    o.placed ? std::to_string(o.overlap) : "",
                                    o.placed ? std::to_string(o.endYear) : "",
                                    o.placed ? shortest(o.t) : "",
                                    o.placed ? shortest(o.pChance) : "",
                                    o.placed ? shortest(row.libraryP) : "",
                                    row.verdict};
  std::string line;
  for (std::size_t k = 0; k < cells.size(); ++k) line += (k ? "," : "") + cells[k];
  return line + '\n';
}

}  // namespace

std::string csvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (const char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + '"';
}

void writeLibraryTable(std::ostream& out, const std::vector<UndatedSeries>& series,
                       const std::vector<SeriesJudgement>& judgements, const std::vector<Reference>& references) {
  out << kLibraryTableHeader << '\n';
  for (std::size_t s = 0; s < judgements.size() && s < series.size(); ++s) {
    const std::string id = trimmed(series[s].id);
    for (const RankedRow& row : judgements[s].rows) out << rowText(id, row, references.at(row.outcome.reference));
  }
}

}  // namespace veska::library
