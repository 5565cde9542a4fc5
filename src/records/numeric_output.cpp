#include "records/numeric_output.h"

#include <cmath>
#include <cstdio>
#include <vector>

namespace veska::records {
namespace {

std::string stars(int width) { return std::string(static_cast<std::size_t>(width > 0 ? width : 0), '*'); }

std::string rightAlign(const std::string& text, int width) {
  if (static_cast<int>(text.size()) > width) return stars(width);
  return std::string(static_cast<std::size_t>(width) - text.size(), ' ') + text;
}

// Digits of |value| rounded to `decimals` places, ties away from zero, as
// (integer digits, fraction digits). Forty digits beyond the last kept one
// settle the rounding: a double that is not exactly a tie lies further than
// 1e-40 from it at every width these fields use, and glibc prints exact
// binary values, so an exact tie shows as 5 followed by zeros.
std::pair<std::string, std::string> roundedDigits(double magnitude, int decimals) {
  std::vector<char> buffer(static_cast<std::size_t>(decimals) + 400);
  const int n = std::snprintf(buffer.data(), buffer.size(), "%.*f", decimals + 40, magnitude);
  std::string exact(buffer.data(), static_cast<std::size_t>(n > 0 ? n : 0));
  const auto point = exact.find('.');
  std::string intPart = exact.substr(0, point);
  std::string frac = exact.substr(point + 1);
  const bool roundUp = frac[static_cast<std::size_t>(decimals)] >= '5';
  frac.resize(static_cast<std::size_t>(decimals));
  std::string digits = intPart + frac;
  if (roundUp) {
    int i = static_cast<int>(digits.size()) - 1;
    for (; i >= 0; --i) {
      if (digits[static_cast<std::size_t>(i)] == '9') {
        digits[static_cast<std::size_t>(i)] = '0';
      } else {
        ++digits[static_cast<std::size_t>(i)];
        break;
      }
    }
    if (i < 0) digits.insert(digits.begin(), '1');
  }
  const std::size_t intLen = digits.size() - static_cast<std::size_t>(decimals);
  return {digits.substr(0, intLen), digits.substr(intLen)};
}

}  // namespace

std::string formatInteger(long long value, int width) {
  return rightAlign(std::to_string(value), width);
}

std::string formatFixed(double value, int width, int decimals) {
  if (decimals < 0) decimals = 0;
  if (std::isnan(value)) return rightAlign("NaN", width);
  if (std::isinf(value)) return rightAlign(value < 0 ? "-Inf" : "Inf", width);
  auto [intDigits, fracDigits] = roundedDigits(std::fabs(value), decimals);
  // Strip leading zeros of the integer part; the single zero comes back below
  // only when the field has room for it.
  const auto firstNonZero = intDigits.find_first_not_of('0');
  intDigits = firstNonZero == std::string::npos ? "" : intDigits.substr(firstNonZero);
  const bool allZero = intDigits.empty() && fracDigits.find_first_not_of('0') == std::string::npos;
  const std::string sign = (value < 0 && !allZero) ? "-" : "";
  std::string body = intDigits + "." + fracDigits;
  if (intDigits.empty()) {
    const std::string withZero = sign + "0" + body;
    if (static_cast<int>(withZero.size()) <= width) return rightAlign(withZero, width);
    if (decimals == 0) body = "0.";  // "." alone would not be a number
  }
  return rightAlign(sign + body, width);
}

}  // namespace veska::records
