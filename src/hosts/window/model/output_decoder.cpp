#include "hosts/window/model/output_decoder.h"

namespace veska::window {
namespace {

bool isContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

// Length and payload bits of a sequence started by `lead`; 0 when the byte
// cannot start one (a continuation byte, C0/C1 overlong leads, F5..FF).
int sequenceLength(unsigned char lead, char32_t& value) {
  if (lead >= 0xC2 && lead <= 0xDF) { value = lead & 0x1F; return 2; }
  if (lead >= 0xE0 && lead <= 0xEF) { value = lead & 0x0F; return 3; }
  if (lead >= 0xF0 && lead <= 0xF4) { value = lead & 0x07; return 4; }
  return 0;
}

// The length of the well-formed sequence at `at` (its character in `value`),
// or 0 when the bytes there do not form one.
int decodeSequence(std::string_view bytes, std::size_t at, char32_t& value) {
  const int length = sequenceLength(static_cast<unsigned char>(bytes[at]), value);
  if (length == 0 || at + static_cast<std::size_t>(length) > bytes.size()) return 0;
  for (int k = 1; k < length; ++k) {
    const auto b = static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(k)]);
    if (!isContinuation(b)) return 0;
    value = (value << 6) | (b & 0x3F);
  }
  // Overlong forms, surrogates and values beyond U+10FFFF are not characters.
  static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (value < kSmallest[length] || (value >= 0xD800 && value <= 0xDFFF) || value > 0x10FFFF) return 0;
  return length;
}

}  // namespace

std::u32string decodeOutput(std::string_view bytes) {
  std::u32string text;
  text.reserve(bytes.size());
  std::size_t at = 0;
  while (at < bytes.size()) {
    const auto byte = static_cast<unsigned char>(bytes[at]);
    char32_t c = byte;
    const int length = byte < 0x80 ? 0 : decodeSequence(bytes, at, c);
    if (length == 0) {
      text.push_back(byte);  // ASCII, or a stray byte shown as Latin-1
      ++at;
    } else {
      text.push_back(c);
      at += static_cast<std::size_t>(length);
    }
  }
  return text;
}

}  // namespace veska::window
