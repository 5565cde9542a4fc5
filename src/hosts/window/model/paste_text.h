// The characters Paste types into a text window: the clipboard's text up
// to its first NUL, at most 1,024 characters of it. Each line end in it, as
// a file's lines end (LF, CR LF, a run of CRs, or CRs then LF), becomes
// one CR, the Enter of a typed line: text copied from any program pastes
// line by line.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace veska::window {

inline constexpr std::size_t kPasteLimit = 1024;

std::u32string pastedCharacters(std::u32string_view clipboard);

}  // namespace veska::window
