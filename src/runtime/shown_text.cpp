#include "runtime/shown_text.h"

namespace veska::runtime {
namespace {

// The strict UTF-8 character at bytes[i] and its length in bytes; length 0
// when the bytes there are no valid UTF-8 character.
std::size_t utf8At(std::string_view bytes, std::size_t i, char32_t& c) {
  const auto b = static_cast<unsigned char>(bytes[i]);
  std::size_t n = 0;
  unsigned char lo = 0x80, hi = 0xBF;  // the second byte's allowed range
  if (b >= 0xC2 && b <= 0xDF) {
    n = 2;
    c = b & 0x1Fu;
  } else if (b >= 0xE0 && b <= 0xEF) {
    n = 3;
    c = b & 0x0Fu;
    if (b == 0xE0) lo = 0xA0;
    if (b == 0xED) hi = 0x9F;
  } else if (b >= 0xF0 && b <= 0xF4) {
    n = 4;
    c = b & 0x07u;
    if (b == 0xF0) lo = 0x90;
    if (b == 0xF4) hi = 0x8F;
  } else {
    return 0;
  }
  if (i + n > bytes.size()) return 0;
  for (std::size_t k = 1; k < n; ++k) {
    const auto next = static_cast<unsigned char>(bytes[i + k]);
    if (next < (k == 1 ? lo : 0x80) || next > (k == 1 ? hi : 0xBF)) return 0;
    c = (c << 6) | (next & 0x3Fu);
  }
  return n;
}

// C1 controls (CSI and OSC among them) and the characters that reorder
// bidirectional text.
bool isHidden(char32_t c) {
  return (c >= 0x80 && c <= 0x9F) || c == 0x200E || c == 0x200F || (c >= 0x202A && c <= 0x202E) ||
         (c >= 0x2066 && c <= 0x2069);
}

}  // namespace

std::string terminalText(std::string_view bytes) {
  // Records end with CR LF for the window; a terminal wants LF alone.
  std::string text;
  text.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto c = static_cast<unsigned char>(bytes[i]);
    if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') continue;
    if (c < 0x80) {
      const bool control = (c < 0x20 && c != '\t' && c != '\n') || c == 0x7F;
      text.push_back(control ? '?' : static_cast<char>(c));
      continue;
    }
    char32_t character = 0;
    if (const std::size_t n = utf8At(bytes, i, character)) {
      if (isHidden(character)) text.push_back('?');
      else text.append(bytes.substr(i, n));
      i += n - 1;
    } else {
      // A byte of an answer typed in Latin-1: 0x80-0x9F are its C1 controls.
      text.push_back(c <= 0x9F ? '?' : static_cast<char>(c));
    }
  }
  return text;
}

std::string shownName(std::string_view name) {
  std::string shown = terminalText(name);
  for (char& c : shown)
    if (c == '\n') c = '?';
  return shown;
}

}  // namespace veska::runtime
