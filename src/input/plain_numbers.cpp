#include "input/plain_numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace veska::input {
namespace {

std::u32string_view withoutBlanks(std::u32string_view text) {
  const auto blank = [](char32_t c) { return c == U' ' || c == U'\t' || c == U'\r'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

bool isDigit(char32_t c) { return c >= U'0' && c <= U'9'; }

// The ASCII of the text, or nothing when it holds any other character.
std::optional<std::string> ascii(std::u32string_view text) {
  std::string out;
  for (char32_t c : text) {
    if (c > 0x7F) return std::nullopt;
    out += static_cast<char>(c);
  }
  return out;
}

// For digits [. digits] [e [sign] digits] not all zero: the power of ten of
// the first digit that is not zero, plus one (1.5 gives 1, 0.05 gives -1).
long long decimalExponent(std::string_view number) {
  const std::size_t e = number.find_first_of("eE");
  const std::string_view mantissa = number.substr(0, e);
  long long exponent = 0;
  if (e != std::string_view::npos) {
    std::string_view power = number.substr(e + 1);
    const bool negative = !power.empty() && power[0] == '-';
    if (!power.empty() && (power[0] == '+' || power[0] == '-')) power.remove_prefix(1);
    for (char c : power) exponent = std::min(exponent * 10 + (c - '0'), 1000000LL);
    if (negative) exponent = -exponent;
  }
  const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
  const std::size_t first = mantissa.find_first_of("123456789");
  if (first == std::string_view::npos) return 0;
  const auto firstAt = static_cast<long long>(first);
  const auto pointAt = static_cast<long long>(point);
  return exponent + (firstAt < pointAt ? pointAt - firstAt : pointAt - firstAt + 1);
}

}  // namespace

std::optional<std::int32_t> readWholeNumber(std::u32string_view text) {
  text = withoutBlanks(text);
  std::size_t i = 0;
  const bool negative = !text.empty() && text[0] == U'-';
  if (!text.empty() && (text[0] == U'+' || text[0] == U'-')) ++i;
  if (i == text.size()) return std::nullopt;
  std::int64_t value = 0;
  for (; i < text.size(); ++i) {
    if (!isDigit(text[i])) return std::nullopt;
    value = value * 10 + (text[i] - U'0');
    if (value > 2147483648LL) return std::nullopt;
  }
  if (negative) value = -value;
  if (value > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

std::optional<float> readDecimalNumber(std::u32string_view text, bool decimalComma) {
  auto s = ascii(withoutBlanks(text));
  if (!s || s->empty()) return std::nullopt;
  if (decimalComma)
    for (char& c : *s)
      if (c == ',') c = '.';
  // from_chars takes no plus sign and no hexadecimal; neither is a width.
  const bool negative = (*s)[0] == '-';
  std::string_view digits(*s);
  if (digits[0] == '+' || digits[0] == '-') digits.remove_prefix(1);
  if (digits.empty() || digits[0] == '+' || digits[0] == '-') return std::nullopt;
  float value = 0.0f;
  const char* end = digits.data() + digits.size();
  const auto [stop, error] = std::from_chars(digits.data(), end, value, std::chars_format::general);
  if (stop != end) return std::nullopt;
  if (error == std::errc::result_out_of_range) {
    // Over the largest float it is infinite; under the smallest, zero.
    value = decimalExponent(digits) > 0 ? std::numeric_limits<float>::infinity() : 0.0f;
  } else if (error != std::errc()) {
    return std::nullopt;
  }
  return negative ? -value : value;
}

bool isMissingCell(std::u32string_view cell) {
  return cell.empty() || cell == U"NA" || cell == U"na" || cell == U"NaN" || cell == U"nan";
}

bool isShownYear(std::int64_t year) { return year >= kFirstShownYear && year <= kLastShownYear; }

ValueFault faultOf(float millimetres) {
  if (!std::isfinite(millimetres)) return ValueFault::NotFinite;
  if (millimetres < 0.0f) return ValueFault::Negative;
  if (millimetres > 1e6f) return ValueFault::TooLarge;
  return ValueFault::None;
}

std::string_view faultText(ValueFault fault) {
  switch (fault) {
    case ValueFault::Negative: return "has a negative value";
    case ValueFault::NotFinite: return "has a value that is not finite";
    case ValueFault::TooLarge: return "has a value above 1000000 mm";
    case ValueFault::None: break;
  }
  return "";
}

}  // namespace veska::input
