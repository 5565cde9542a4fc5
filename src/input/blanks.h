#pragma once

#include <cstddef>
#include <string>

namespace veska::input {

// Sets the first n characters of text to blanks (nothing when n <= 0).
void blankPrefix(std::u32string& text, long long n);

}  // namespace veska::input
