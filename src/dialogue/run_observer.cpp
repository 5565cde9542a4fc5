#include "dialogue/run_observer.h"

#include "match/pair_evidence.h"

namespace veska::dialogue {

std::vector<match::RunSeries> seriesAsRead(const input::SeriesTable& table) {
  std::vector<match::RunSeries> series;
  series.reserve(table.size());
  for (std::size_t i = 0; i < table.size(); ++i) {
    match::RunSeries s;
    s.id = table[i].id;
    s.number = static_cast<int>(i) + 1;
    s.firstYear = table[i].firstYear;
    s.asRead = table[i].values;
    s.unit = table[i].unit;
    series.push_back(std::move(s));
  }
  return series;
}

void addCompared(std::vector<match::RunSeries>& series, const input::SeriesTable& table) {
  for (std::size_t i = 0; i < series.size() && i < table.size(); ++i) series[i].compared = table[i].values;
}

}  // namespace veska::dialogue
