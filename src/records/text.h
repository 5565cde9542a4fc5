// Characters of a record. A line read from a file or the console becomes a
// sequence of characters: UTF-8 when the line is valid UTF-8, otherwise one
// Latin-1 character per byte, so a column is a character in either case.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace veska::records {

using Text = std::u32string;

// Decodes one line's bytes (without its line end) into characters.
Text decodeLine(std::string_view bytes);

// Encodes characters as UTF-8 for the console and the report.
std::string toUtf8(std::u32string_view text);

// A record of exactly `length` characters: cut, or padded with blanks.
Text fitRecord(std::u32string_view text, std::size_t length);

// Position (from 1) of the first occurrence of c in text, 0 when absent.
std::size_t findChar(std::u32string_view text, char32_t c);

// Characters of a plain ASCII or UTF-8 literal.
Text fromUtf8(std::string_view bytes);

}  // namespace veska::records
