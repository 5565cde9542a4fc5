#include "input/blanks.h"

namespace veska::input {

void blankPrefix(std::u32string& text, long long n) {
  if (n <= 0) return;
  const auto count = static_cast<std::size_t>(n) < text.size() ? static_cast<std::size_t>(n) : text.size();
  for (std::size_t i = 0; i < count; ++i) text[i] = U' ';
}

}  // namespace veska::input
