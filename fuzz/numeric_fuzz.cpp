// Integer and real fields read from arbitrary characters, and numbers written
// back into fixed fields. Input: byte 0 picks the decimals, byte 1 the output
// width, the rest is the field (decoded as a line is: UTF-8 or Latin-1).
#include <cmath>
#include <cstring>
#include <string>

#include "records/numeric_input.h"
#include "records/numeric_output.h"
#include "records/text.h"
#include "fuzz_support.h"

namespace veska::fuzz {
namespace {

// Every field that reads as an integer reads as the same real: integer
// syntax is a subset of real syntax, and a real field is the value rounded
// once to single precision, as converting the integer to float rounds it.
void checkInput(std::u32string_view field, int decimals) {
  const auto integer = records::readIntegerField(field);
  const auto real = records::readRealField(field, decimals);
  if (real) check(!std::isnan(*real), "a real field read as NaN");
  if (!integer) return;
  const auto real0 = records::readRealField(field, 0);
  check(real0.has_value(), "an integer field is not a readable real");
  check(*real0 == static_cast<double>(static_cast<float>(*integer)), "an integer field reads as a different real");
  check(real.has_value(), "an integer field is not a readable real with decimals");
}

// w columns; w asterisks only when the rounded number needs more; otherwise
// the text reads back as the value rounded to d decimals, and a minus sign
// only stands before a number that is not zero.
void checkFixed(double value, int width, int decimals) {
  const std::string s = records::formatFixed(value, width, decimals);
  check(static_cast<int>(s.size()) == width, "fixed field has the wrong width");
  if (s == std::string(static_cast<std::size_t>(width), '*')) {
    if (!std::isfinite(value)) {
      check(width < (std::isnan(value) || value > 0 ? 3 : 4), "Inf or NaN written as asterisks");
      return;
    }
    // w - d - 2 integer digits always fit with sign and point.
    const double roomy = std::pow(10.0, width - decimals - 2) - 1.0;
    check(!(std::fabs(value) < roomy), "a number that fits written as asterisks");
    return;
  }
  if (std::isnan(value)) {
    check(s.find("NaN") != std::string::npos, "NaN not written as NaN");
    return;
  }
  if (std::isinf(value)) {
    check(s.find(value > 0 ? "Inf" : "-Inf") != std::string::npos, "infinity not written as Inf");
    return;
  }
  const auto back = records::readRealField(records::fromUtf8(s), decimals);
  check(back.has_value(), "a written fixed field does not read back");
  // Half a unit of the last decimal written, plus the one rounding to single
  // precision that reading a real field makes (half a float step, 2^-24 of it).
  const double slack = 0.5 * std::pow(10.0, -decimals) * (1 + 1e-9) + std::fabs(value) * 1e-15 +
                       std::ldexp(std::fabs(value), -24) * (1 + 1e-9);
  check(std::fabs(*back - value) <= slack, "a fixed field reads back as another value");
  const bool minus = s.find('-') != std::string::npos;
  check(!minus || *back < 0, "a minus sign before a zero written as all zeros");
  check(minus || !(*back < 0), "a negative number written without its sign");
}

void checkInteger(long long value, int width) {
  const std::string s = records::formatInteger(value, width);
  check(static_cast<int>(s.size()) == width, "integer field has the wrong width");
  const std::string plain = std::to_string(value);
  if (s == std::string(static_cast<std::size_t>(width), '*')) {
    check(static_cast<int>(plain.size()) > width, "an integer that fits written as asterisks");
    return;
  }
  check(std::strtoll(s.c_str(), nullptr, 10) == value, "an integer field reads back as another value");
}

}  // namespace
}  // namespace veska::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace veska;
  if (size < 2) return 0;
  const int inDecimals = data[0] % 101;  // a format text allows up to 100
  const int outDecimals = data[0] % 13;  // written fields use few decimals
  const int width = 1 + data[1] % 40;
  const std::string_view rest = fuzz::bytesOf(data + 2, size - 2);
  const records::Text field = records::decodeLine(rest);
  fuzz::checkInput(field, inDecimals);

  if (const auto real = records::readRealField(field, inDecimals)) fuzz::checkFixed(*real, width, outDecimals);
  if (const auto integer = records::readIntegerField(field)) fuzz::checkInteger(*integer, width);
  if (rest.size() >= 8) {
    double raw;
    long long rawInteger;
    std::memcpy(&raw, rest.data(), 8);
    std::memcpy(&rawInteger, rest.data(), 8);
    fuzz::checkFixed(raw, width, outDecimals);
    fuzz::checkInteger(rawInteger, width);
  }
  return 0;
}
