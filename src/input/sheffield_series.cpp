#include "input/sheffield_series.h"

#include <string>

#include "input/file_layout.h"
#include "input/plain_numbers.h"

namespace veska::input {
namespace {

// Absolute first years are written with 10000 added, so that a BC year
// stays a positive number.
constexpr std::int64_t kAbsoluteOffset = 10000;

std::u32string_view item(const std::vector<records::Text>& lines, std::size_t number) {
  return number <= lines.size() ? trimmed(lines[number - 1]) : std::u32string_view();
}

bool isLetter(std::u32string_view text, std::u32string_view letters) {
  return text.size() == 1 && letters.find(text[0]) != std::u32string_view::npos;
}

// "lat long" or "lat,long" in decimal degrees; nothing for "?" or a UK grid
// reference.
void readPlace(std::u32string_view text, SeriesKeys& keys) {
  std::u32string spaced(text);
  for (char32_t& c : spaced)
    if (c == U',' || c == U';') c = U' ';
  const auto words = wordsOf(spaced);
  if (words.size() != 2) return;
  const auto latitude = readDecimalNumber(words[0], false);
  const auto longitude = readDecimalNumber(words[1], false);
  if (!latitude || !longitude || !(*latitude >= -90 && *latitude <= 90) || !(*longitude >= -180 && *longitude <= 180))
    return;
  keys.latitude = records::toUtf8(words[0]);
  keys.longitude = records::toUtf8(words[1]);
}

}  // namespace

bool looksLikeSheffield(const std::vector<records::Text>& lines) {
  if (lines.size() <= kSheffieldHeaderLines) return false;
  const auto count = readWholeNumber(item(lines, 2));
  return count && *count >= 0 && isLetter(item(lines, 3), U"ARar") && readWholeNumber(item(lines, 4)) &&
         item(lines, 22).size() == 1 && readWholeNumber(item(lines, 23));
}

LayoutRead readSheffieldFile(const std::vector<records::Text>& lines) {
  LayoutRead out;
  // The short title (line 18) names the series as laboratories know it;
  // line 1 is a longer description.
  std::u32string name(item(lines, 18));
  if (name.empty() || name == U"?") name = item(lines, 1);
  const auto refuse = [&](std::string_view reason) {
    out.items.emplace_back(seriesNotLoaded(name, reason));
    return out;
  };
  if (lines.size() < kSheffieldHeaderLines) return refuse("has a header of fewer than 22 lines");
  const auto count = readWholeNumber(item(lines, 2));
  if (!count || *count < 0) return refuse("has no readable number of rings");
  const bool absolute = isLetter(item(lines, 3), U"Aa");
  if (!absolute && !isLetter(item(lines, 3), U"Rr")) return refuse("is neither absolutely (A) nor relatively (R) dated");
  const auto start = readWholeNumber(item(lines, 4));
  if (!start) return refuse("has no readable first year");
  const std::int64_t first = absolute ? *start - kAbsoluteOffset : *start;
  if (!isShownYear(first) || !isShownYear(first + *count - 1)) return refuse("has a year outside -9999 to 99999");
  const std::u32string_view variable = item(lines, 22);
  if (variable != U"D" && variable != U"d")
    return refuse("holds variable " + records::toUtf8(variable) + ", not ring widths (D)");

  std::vector<float> values;
  std::size_t next = kSheffieldHeaderLines + 1;
  for (; values.size() < static_cast<std::size_t>(*count) && next <= lines.size(); ++next) {
    const std::u32string_view text = item(lines, next);
    if (text.empty()) continue;
    const auto number = readWholeNumber(text);
    if (!number) return refuse("has a value that is no whole number");
    values.push_back(*number < 0 ? kMissingValue : valueOf(*number, ValueUnit::Hundredths));
  }
  if (values.size() < static_cast<std::size_t>(*count))
    return refuse("holds " + std::to_string(values.size()) + " of the " + std::to_string(*count) + " rings its header counts");
  SeriesRead read = seriesFrom(name, first, values, ValueUnit::Hundredths);
  read.series.keys.mean = !isLetter(item(lines, 5), U"Rr");
  read.series.keys.species = records::toUtf8(item(lines, 20));
  if (read.series.keys.species == "?") read.series.keys.species.clear();
  readPlace(item(lines, 10), read.series.keys);
  out.items.emplace_back(std::move(read));
  return out;
}

}  // namespace veska::input
