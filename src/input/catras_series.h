// Reads CATRAS files: binary, one series a file, a header of 128 bytes and
// then the values as 16-bit little-endian whole numbers.
#pragma once

#include <string_view>

#include "input/layout_read.h"

namespace veska::input {

// Bytes 40-42 hold "CAT" (the file's own name's extension, written into its
// header), bytes 44-45 a number of values from 1 on, and the header holds a
// NUL byte, as no text file does.
bool looksLikeCatras(std::string_view bytes);

// Header bytes: 32-39 the short name that names the series (else 0-31, the
// long name; blanks and NULs at the end left out, a byte beyond ASCII read
// as Latin-1), 44-45 the number of values, 54-55 the
// first year, historical (-5 is 5 BC, year -4 here; 0 is an undated series,
// which begins at position 1). Values from byte 128 on, hundredths of a
// millimetre; one below 0 is missing. A file shorter than its count says is
// refused with the reason.
LayoutRead readCatrasBytes(std::string_view bytes);

// The most bytes a CATRAS file can hold: its header and 32767 values.
inline constexpr std::size_t kMaxCatrasBytes = 128 + 2 * 32767 + 1024;

}  // namespace veska::input
