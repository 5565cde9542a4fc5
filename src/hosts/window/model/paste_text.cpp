#include "hosts/window/model/paste_text.h"

namespace veska::window {

std::u32string pastedCharacters(std::u32string_view clipboard) {
  clipboard = clipboard.substr(0, clipboard.find(U'\0'));
  clipboard = clipboard.substr(0, kPasteLimit);
  std::u32string typed;
  for (std::size_t i = 0; i < clipboard.size(); ++i) {
    const char32_t c = clipboard[i];
    if (c == U'\r') {
      while (i + 1 < clipboard.size() && clipboard[i + 1] == U'\r') ++i;
      if (i + 1 < clipboard.size() && clipboard[i + 1] == U'\n') ++i;
      typed += U'\r';
    } else if (c == U'\n') {
      typed += U'\r';
    } else {
      typed += c;
    }
  }
  return typed;
}

}  // namespace veska::window
