#include "records/numeric_input.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace veska::records {
namespace {

// The field without the blanks and tabs it may hold anywhere.
std::u32string squeeze(std::u32string_view field) {
  std::u32string out;
  for (char32_t c : field)
    if (c != U' ' && c != U'\t') out.push_back(c);
  return out;
}

bool isDigit(char32_t c) { return c >= U'0' && c <= U'9'; }

}  // namespace

std::optional<std::int32_t> readIntegerField(std::u32string_view field) {
  const std::u32string s = squeeze(field);
  std::size_t i = 0;
  bool negative = false;
  if (i < s.size() && (s[i] == U'+' || s[i] == U'-')) negative = s[i++] == U'-';
  std::int64_t value = 0;
  for (; i < s.size(); ++i) {
    if (!isDigit(s[i])) return std::nullopt;
    value = value * 10 + (s[i] - U'0');
    if (value > 2147483648LL) return std::nullopt;
  }
  if (negative) value = -value;
  if (value > INT32_MAX || value < INT32_MIN) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

std::optional<float> readRealField(std::u32string_view field, int decimals) {
  const std::u32string s = squeeze(field);
  std::size_t i = 0;
  bool negative = false;
  if (i < s.size() && (s[i] == U'+' || s[i] == U'-')) negative = s[i++] == U'-';
  std::string intDigits, fracDigits;
  while (i < s.size() && isDigit(s[i])) intDigits.push_back(static_cast<char>(s[i++]));
  bool point = false;
  if (i < s.size() && s[i] == U'.') {
    point = true;
    ++i;
    while (i < s.size() && isDigit(s[i])) fracDigits.push_back(static_cast<char>(s[i++]));
  }
  long long exponent = 0;
  if (i < s.size()) {
    const char32_t e = s[i];
    if (e != U'E' && e != U'e' && e != U'D' && e != U'd' && e != U'Q' && e != U'q') return std::nullopt;
    ++i;
    bool expNegative = false;
    if (i < s.size() && (s[i] == U'+' || s[i] == U'-')) expNegative = s[i++] == U'-';
    if (i == s.size()) return std::nullopt;
    for (; i < s.size(); ++i) {
      if (!isDigit(s[i])) return std::nullopt;
      if (exponent < 100000) exponent = exponent * 10 + (s[i] - U'0');
    }
    if (expNegative) exponent = -exponent;
  }
  if (intDigits.empty() && fracDigits.empty()) {
    // A lone sign or point reads as 0; a lone exponent is not a number.
    return exponent == 0 && (i == s.size()) ? std::optional<float>(0.0f) : std::nullopt;
  }
  if (!point && decimals > 0) exponent -= decimals;
  // Straight to single precision, rounded once: through double precision
  // first, a value just above a halfway point between two floats could be
  // rounded down onto the halfway point and then to even, the wrong way.
  std::string text = intDigits.empty() ? std::string("0") : intDigits;
  text += '.';
  text += fracDigits;
  text += 'e';
  text += std::to_string(exponent);
  float value = 0.0f;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error == std::errc::result_out_of_range) {
    // Beyond the range of a float either way: infinity or zero, as a
    // conversion that saturates gives. The digits are not all zero here, so
    // the exponent's side tells which: a leading digit count plus exponent.
    const auto firstDigit = (intDigits + fracDigits).find_first_not_of('0');
    const long long magnitude =
        static_cast<long long>(intDigits.size()) - static_cast<long long>(firstDigit) + exponent;
    value = magnitude > 0 ? std::numeric_limits<float>::infinity() : 0.0f;
  } else if (error != std::errc() || end != text.data() + text.size()) {
    return std::nullopt;
  }
  return negative ? -value : value;
}

}  // namespace veska::records
