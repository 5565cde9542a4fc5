// The texts of the CSV tables veska writes (the pair table, the library's
// ranked tables): fields quoted as RFC 4180 says, numbers that read back as
// the same value, identifiers without their padding.
#pragma once

#include <string>
#include <string_view>

namespace veska::match {

// The field quoted, its quotes doubled, when it holds a comma, a quote or a
// line end; as it is otherwise.
std::string csvField(std::string_view text);

// The shortest text that reads back as the same value; "Inf" and "-Inf" for
// the infinities, as R and Python read them; empty for a NaN.
std::string csvNumber(float value);
std::string csvNumber(double value);

// The value with `decimals` decimals, whatever the locale (a window host
// may have set one with a decimal comma).
std::string fixedDecimals(double value, int decimals);

// An identifier as UTF-8 without the blanks before and after it.
std::string trimmedId(std::u32string_view id);

}  // namespace veska::match
