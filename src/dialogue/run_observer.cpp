#include "dialogue/run_observer.h"

#include "match/pair_evidence.h"

namespace veska::dialogue {

std::vector<match::RunSeries> seriesAsRead(const input::SeriesTable& table) {
  std::vector<match::RunSeries> series;
  series.reserve(static_cast<std::size_t>(table.count));
  for (int i = 1; i <= table.count; ++i) {
    match::RunSeries s;
    s.id = table.id(i);
    s.number = i;
    s.firstYear = table.first[static_cast<std::size_t>(i - 1)];
    const std::span<const float> values = table.values(i);
    s.asRead.assign(values.begin(), values.end());
    series.push_back(std::move(s));
  }
  return series;
}

void addCompared(std::vector<match::RunSeries>& series, const input::SeriesTable& table) {
  for (std::size_t i = 0; i < series.size(); ++i) {
    const std::span<const float> values = table.values(static_cast<int>(i) + 1);
    series[i].compared.assign(values.begin(), values.end());
  }
}

}  // namespace veska::dialogue
