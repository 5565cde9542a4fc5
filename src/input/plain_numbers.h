// Numbers written as plain text in the Heidelberg and CSV layouts, and the
// values and years of those layouts that veska can neither show nor use.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace veska::input {

// Parses blanks [sign] digits blanks, within 32 bits. Unlike a fixed-column
// field, a blank inside the number or a lone sign makes it unreadable.
std::optional<std::int32_t> readWholeNumber(std::u32string_view text);

// Parses blanks [sign] digits [. digits] [(e|E) [sign] digits] blanks, or
// "inf", "infinity" and "nan" in any case, a decimal comma standing for the
// point when `decimalComma`. The value is the single-precision number nearest
// to the text; beyond the range of single precision, an infinity or a zero.
std::optional<float> readDecimalNumber(std::u32string_view text, bool decimalComma);

// A cell that marks a value as not measured: empty, or NA or NaN as R and
// spreadsheets write it.
bool isMissingCell(std::u32string_view cell);

// The report's year fields hold -9999 to 99999.
inline constexpr std::int64_t kFirstShownYear = -9999;
inline constexpr std::int64_t kLastShownYear = 99999;
bool isShownYear(std::int64_t year);

// Why a value read in millimetres cannot be a ring width: no ring is a
// kilometre wide, and negative or infinite widths spoil every statistic.
enum class ValueFault { None, Negative, NotFinite, TooLarge };
ValueFault faultOf(float millimetres);
// The reason as a series' warning gives it ("has a negative value").
std::string_view faultText(ValueFault fault);

}  // namespace veska::input
