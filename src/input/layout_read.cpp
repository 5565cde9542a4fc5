#include "input/layout_read.h"

#include <algorithm>

#include "records/record.h"

namespace veska::input {

Notice seriesNotLoaded(std::u32string_view name, std::string_view reason) {
  return {Notice::Kind::Warning, records::Record()
                                     .column(5)
                                     .text("*** Series ")
                                     .text(records::toUtf8(std::u32string(name)))
                                     .text(" ")
                                     .text(reason)
                                     .text(": not loaded ***")
                                     .str()};
}

SeriesRead seriesFrom(std::u32string_view name, std::int64_t firstYear, const std::vector<float>& values,
                      ValueUnit unit) {
  std::size_t begin = 0;
  std::size_t end = values.size();
  while (begin < end && !(values[begin] >= 0)) ++begin;
  while (end > begin && !(values[end - 1] >= 0)) --end;
  SeriesRead read;
  read.series.id = records::fitRecord(name, 8);
  read.fullId = std::u32string(name);
  read.series.firstYear = static_cast<std::int32_t>(firstYear + static_cast<std::int64_t>(begin));
  read.series.unit = unit;
  read.length = static_cast<std::int32_t>(end - begin);
  const std::size_t kept = std::min(end - begin, static_cast<std::size_t>(kMaxLength));
  read.series.values.assign(values.begin() + static_cast<std::ptrdiff_t>(begin),
                            values.begin() + static_cast<std::ptrdiff_t>(begin + kept));
  for (float& value : read.series.values)
    if (!(value >= 0)) value = kMissingValue;
  return read;
}

std::vector<std::u32string_view> wordsOf(std::u32string_view line) {
  std::vector<std::u32string_view> words;
  std::size_t k = 0;
  while (k < line.size()) {
    while (k < line.size() && (line[k] == U' ' || line[k] == U'\t' || line[k] == U'\r')) ++k;
    const std::size_t start = k;
    while (k < line.size() && line[k] != U' ' && line[k] != U'\t' && line[k] != U'\r') ++k;
    if (k > start) words.push_back(line.substr(start, k - start));
  }
  return words;
}

std::u32string lowered(std::u32string_view text) {
  std::u32string out(text);
  for (char32_t& c : out)
    if (c >= U'A' && c <= U'Z') c = c - U'A' + U'a';
  return out;
}

}  // namespace veska::input
