#include "match/csv_text.h"

#include <charconv>
#include <cmath>

#include "records/text.h"

namespace veska::match {
namespace {

template <class Real>
std::string shortest(Real value) {
  if (std::isnan(value)) return "";
  if (std::isinf(value)) return value > 0 ? "Inf" : "-Inf";
  char buffer[40];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
  return std::string(buffer, end);
}

}  // namespace

std::string csvField(std::string_view text) {
  if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + '"';
}

std::string csvNumber(float value) { return shortest(value); }

std::string csvNumber(double value) { return shortest(value); }

std::string fixedDecimals(double value, int decimals) {
  char buffer[64];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals).ptr;
  return std::string(buffer, end);
}

std::string trimmedId(std::u32string_view id) {
  const std::size_t begin = id.find_first_not_of(U' ');
  if (begin == std::u32string_view::npos) return "";
  const std::size_t end = id.find_last_not_of(U' ');
  return records::toUtf8(id.substr(begin, end - begin + 1));
}

}  // namespace veska::match
