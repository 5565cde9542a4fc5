// Numeric fields read from fixed columns. Blanks and tabs inside a field are
// ignored and an all-blank field reads as 0; anything else that cannot belong
// to the number makes the field unreadable (nullopt), never a guess.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace veska::records {

// Parses [sign] digits. A field holding only a sign reads as 0. A value
// outside the 32-bit range is unreadable.
std::optional<std::int32_t> readIntegerField(std::u32string_view field);

// Parses [sign] [digits] [. [digits]] [(E|D|Q) [sign] digits]. Without a
// written decimal point the last `decimals` digits are the fraction. The
// value is the single-precision number nearest to the text (ties to even).
std::optional<float> readRealField(std::u32string_view field, int decimals);

}  // namespace veska::records
