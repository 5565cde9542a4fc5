// Text from outside the program (a data file's lines, a typed answer, a file
// name) as a terminal or a message may be given it: CR LF becomes LF, and
// every other C0 control character but tab, DEL, every C1 control character
// (in UTF-8, or a byte 0x80-0x9F that is no part of a UTF-8 character, as an
// answer typed in Latin-1 gives it) and the bidirectional controls U+200E,
// U+200F, U+202A-U+202E and U+2066-U+2069 become one "?" each, so that no
// name or line can move the cursor, retitle or clear the terminal, or
// reorder what it shows.
#pragma once

#include <string>
#include <string_view>

namespace veska::runtime {

// The bytes with their line ends kept (LF; CR LF becomes LF).
std::string terminalText(std::string_view bytes);

// A name on one line: the same, and a line end in it becomes "?" too, so a
// name can never add a line of its own to a message.
std::string shownName(std::string_view name);

}  // namespace veska::runtime
