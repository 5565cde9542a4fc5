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

// One character per byte, whatever the bytes: for a line known not to be
// UTF-8 as a whole although the part of it kept may be.
Text decodeLatin1(std::string_view bytes);

// Follows a line's bytes one at a time and tells whether they are valid
// UTF-8 by the same strict rule as decodeLine, without holding them.
class Utf8Check {
 public:
  void add(unsigned char byte);
  bool valid() const { return ok_ && left_ == 0; }

 private:
  bool ok_ = true;
  int left_ = 0;      // continuation bytes still due
  char32_t cp_ = 0;   // the character so far
  char32_t min_ = 0;  // its smallest value not overlong
};

// Encodes characters as UTF-8 for the console and the report.
std::string toUtf8(std::u32string_view text);

// A record of exactly `length` characters: cut, or padded with blanks.
Text fitRecord(std::u32string_view text, std::size_t length);

// Position (from 1) of the first occurrence of c in text, 0 when absent.
std::size_t findChar(std::u32string_view text, char32_t c);

// Characters of a plain ASCII or UTF-8 literal.
Text fromUtf8(std::string_view bytes);

}  // namespace veska::records
