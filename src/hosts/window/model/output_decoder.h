// Turns the bytes of console output into the characters a text window shows.
// Bytes that form a UTF-8 character become that character; any other byte
// from 128 to 255 is shown as its Latin-1 character, as a data line that is
// not UTF-8 is read, so no byte is ever dropped and every character takes
// one column.
#pragma once

#include <string>
#include <string_view>

namespace veska::window {

std::u32string decodeOutput(std::string_view bytes);

}  // namespace veska::window
