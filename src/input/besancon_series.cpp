#include "input/besancon_series.h"

#include <cmath>
#include <optional>
#include <string>

#include "input/file_layout.h"
#include "input/plain_numbers.h"

namespace veska::input {
namespace {

// Lines looked at for the first block, and between its name and its values.
constexpr std::size_t kSniffLines = 2000;
constexpr std::size_t kMaxHeaderLines = 60;

// The name of a block's first line ". NAME ...", or nothing.
std::optional<std::u32string_view> blockName(std::u32string_view line) {
  const std::u32string_view content = trimmed(line);
  if (content.size() < 3 || content[0] != U'.' || (content[1] != U' ' && content[1] != U'\t')) return std::nullopt;
  const auto words = wordsOf(content.substr(1));
  if (words.empty()) return std::nullopt;
  return words[0];
}

bool isValuesLine(std::u32string_view line) {
  const auto words = wordsOf(line);
  return !words.empty() && lowered(words[0]).starts_with(U"val");
}

struct Block {
  std::u32string name;
  std::optional<std::int32_t> length, position, origin, end;
  std::u32string species;
  std::u32string qualifier;  // what stands between "VAL" and ":" ("Aj/C", "EBES")
  std::vector<std::u32string> tokens;  // the value words, "," on their own
  bool closed = false;  // the values ended in ";"
};

// Keywords count by their first three letters; the value is the next word
// that is not a lone ":".
void readKeywords(std::u32string_view line, Block& block) {
  const auto words = wordsOf(line);
  for (std::size_t k = 0; k < words.size(); ++k) {
    const std::u32string key = lowered(words[k].substr(0, 3));
    std::size_t v = k + 1;
    while (v < words.size() && words[v] == U":") ++v;
    if (v >= words.size()) break;
    if (key == U"esp") {
      if (block.species.empty()) block.species = words[v];
      continue;
    }
    const auto number = readWholeNumber(words[v]);
    if (!number) continue;
    if (key == U"lon") block.length = *number;
    else if (key == U"pos") block.position = *number;
    else if (key == U"ori") block.origin = *number;
    else if (key == U"ter") block.end = *number;
  }
}

// Adds a data line's value words; true at the ";" that ends them.
bool readValues(std::u32string_view line, Block& block, bool& inBraces) {
  std::u32string spaced;
  for (char32_t c : line) {
    if (c == U',' || c == U';') (spaced += U' ') += c, spaced += U' ';
    else spaced += c;
  }
  for (std::u32string_view word : wordsOf(spaced)) {
    if (word == U";") return true;
    if (word.find(U'{') != std::u32string_view::npos) inBraces = true;
    if (inBraces) {
      if (word.find(U'}') != std::u32string_view::npos) inBraces = false;
      continue;
    }
    while (!word.empty() && (word.front() == U'/' || word.front() == U'*')) word.remove_prefix(1);
    while (!word.empty() && (word.back() == U'/' || word.back() == U'*')) word.remove_suffix(1);
    if (!word.empty()) block.tokens.emplace_back(word);
  }
  return false;
}

// Reads from a block's name line up to the next block's; `next` moves on.
Block readBlock(const std::vector<records::Text>& lines, std::size_t& next) {
  Block block;
  block.name = *blockName(lines[next++]);
  bool inValues = false;
  bool inBraces = false;
  for (; next < lines.size(); ++next) {
    const records::Text& line = lines[next];
    if (blockName(line)) break;
    if (block.closed) continue;
    if (inValues) {
      block.closed = readValues(line, block, inBraces);
    } else if (isValuesLine(line)) {
      inValues = true;
      const std::u32string_view rest = trimmed(line).substr(wordsOf(line)[0].size());
      const std::size_t colon = rest.find(U':');
      block.qualifier = trimmed(rest.substr(0, colon == std::u32string_view::npos ? 0 : colon));
      // Old files begin the values on the line itself ("Valeurs nat  165 113").
      if (colon == std::u32string_view::npos) {
        const auto words = wordsOf(rest);
        std::size_t skip = 0;
        while (skip < words.size() && !readWholeNumber(words[skip]) && words[skip] != U",") ++skip;
        if (skip < words.size()) block.closed = readValues(rest.substr(words[skip].data() - rest.data()), block, inBraces);
      }
    } else {
      readKeywords(line, block);
    }
  }
  return block;
}

// Historical years have no year 0: 1 BC is written -1 and is year 0 here.
std::int64_t astronomical(std::int32_t year) { return year < 0 ? std::int64_t{year} + 1 : year; }

void addBlock(LayoutRead& out, const Block& block) {
  const auto refuse = [&](const std::string& reason) { out.items.emplace_back(seriesNotLoaded(block.name, reason)); };
  if (lowered(block.qualifier) == U"ebes") return refuse("holds centred values (EBES), not ring widths");
  if (!block.closed) return refuse("has no \";\" after its values");
  std::vector<float> values;
  ValueUnit unit = ValueUnit::Hundredths;
  for (const std::u32string& token : block.tokens) {
    if (token == U",") {
      values.push_back(kMissingValue);
      continue;
    }
    if (const auto number = readWholeNumber(token)) {
      values.push_back(*number < 0 ? kMissingValue : valueOf(*number, ValueUnit::Hundredths));
      continue;
    }
    // Means are written with a decimal: hundredths still.
    const auto decimal = readDecimalNumber(token, false);
    if (!decimal || !std::isfinite(*decimal)) return refuse("has a value that is no number (" + records::toUtf8(token) + ")");
    values.push_back(*decimal < 0 ? kMissingValue : *decimal * 0.01f);
    unit = ValueUnit::Decimal;
  }
  const auto count = static_cast<std::int64_t>(values.size());
  if (block.length && *block.length != count)
    return refuse("holds " + std::to_string(count) + " values, its LON says " + std::to_string(*block.length));
  const std::int64_t first = block.origin ? astronomical(*block.origin) : block.position ? astronomical(*block.position) : 1;
  const std::int64_t last = first + count - 1;
  if (block.origin && block.end && astronomical(*block.end) != last)
    return refuse("has ORI, TER and LON that disagree");
  if (!isShownYear(first) || !isShownYear(last)) return refuse("has a year outside -9999 to 99999");
  SeriesRead read = seriesFrom(block.name, first, values, unit);
  read.series.keys.species = records::toUtf8(block.species);
  out.items.emplace_back(std::move(read));
}

}  // namespace

bool looksLikeBesancon(const std::vector<records::Text>& lines) {
  const std::size_t end = std::min(lines.size(), kSniffLines);
  for (std::size_t k = 0; k < end; ++k) {
    if (!blockName(lines[k])) continue;
    for (std::size_t v = k + 1; v < lines.size() && v <= k + kMaxHeaderLines; ++v) {
      if (isValuesLine(lines[v])) return true;
      if (blockName(lines[v])) break;
    }
  }
  return false;
}

LayoutRead readBesanconFile(const std::vector<records::Text>& lines) {
  LayoutRead out;
  std::size_t next = 0;
  while (next < lines.size() && !blockName(lines[next])) ++next;
  while (next < lines.size()) addBlock(out, readBlock(lines, next));
  return out;
}

}  // namespace veska::input
