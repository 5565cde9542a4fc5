#include "input/catras_series.h"

#include <cstdint>
#include <string>
#include <vector>

#include "input/plain_numbers.h"

namespace veska::input {
namespace {

constexpr std::size_t kHeaderBytes = 128;
constexpr std::size_t kNameBytes = 32;
constexpr std::size_t kShortNameAt = 32;
constexpr std::size_t kShortNameBytes = 8;
constexpr std::size_t kCountAt = 44;
constexpr std::size_t kFirstYearAt = 54;

std::int32_t word(std::string_view bytes, std::size_t at) {
  const auto low = static_cast<unsigned char>(bytes[at]);
  const auto high = static_cast<unsigned char>(bytes[at + 1]);
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(low | (high << 8)));
}

// Bytes as Latin-1 characters, blanks and NULs at the end left out, other
// control bytes as blanks.
std::u32string textAt(std::string_view bytes, std::size_t at, std::size_t count) {
  std::u32string text;
  for (std::size_t k = at; k < at + count; ++k) text += static_cast<char32_t>(static_cast<unsigned char>(bytes[k]));
  while (!text.empty() && (text.back() == U' ' || text.back() == U'\0')) text.pop_back();
  for (char32_t& c : text)
    if (c < U' ') c = U' ';
  return text;
}

bool upperIs(char c, char upper) { return c == upper || c == upper - 'A' + 'a'; }

}  // namespace

bool looksLikeCatras(std::string_view bytes) {
  if (bytes.size() < kHeaderBytes) return false;
  if (!upperIs(bytes[40], 'C') || !upperIs(bytes[41], 'A') || !upperIs(bytes[42], 'T')) return false;
  // A text file never holds a NUL; a CATRAS header always does.
  if (bytes.substr(0, kHeaderBytes).find('\0') == std::string_view::npos) return false;
  const std::int32_t count = word(bytes, kCountAt);
  return count >= 1;
}

LayoutRead readCatrasBytes(std::string_view bytes) {
  LayoutRead out;
  if (bytes.size() < kHeaderBytes) return out;
  // The short name (the file's own, "AKK00010") fits the report's 8
  // columns; the long one is a description.
  std::u32string name = textAt(bytes, kShortNameAt, kShortNameBytes);
  if (name.empty()) name = textAt(bytes, 0, kNameBytes);
  if (name.empty()) name = U"CATRAS";
  const std::int32_t count = word(bytes, kCountAt);
  if (count < 1) {
    out.items.push_back(seriesNotLoaded(name, "has no values"));
    return out;
  }
  if (bytes.size() < kHeaderBytes + 2 * static_cast<std::size_t>(count)) {
    out.items.push_back(seriesNotLoaded(name, "holds fewer values than its header counts (" + std::to_string(count) + ")"));
    return out;
  }
  const std::int32_t year = word(bytes, kFirstYearAt);
  // Historical years: there is no year 0, which marks an undated series.
  const std::int64_t first = year == 0 ? 1 : year < 0 ? std::int64_t{year} + 1 : year;
  if (!isShownYear(first) || !isShownYear(first + count - 1)) {
    out.items.push_back(seriesNotLoaded(name, "has a year outside -9999 to 99999"));
    return out;
  }
  std::vector<float> values;
  values.reserve(static_cast<std::size_t>(count));
  for (std::int32_t k = 0; k < count; ++k) {
    const std::int32_t n = word(bytes, kHeaderBytes + 2 * static_cast<std::size_t>(k));
    values.push_back(n < 0 ? kMissingValue : valueOf(n, ValueUnit::Hundredths));
  }
  out.items.emplace_back(seriesFrom(name, first, values, ValueUnit::Hundredths));
  return out;
}

}  // namespace veska::input
