// Helpers shared by the fuzz targets: the input as a stream, checks that
// stop the fuzzer with a message, and a strict UTF-8 test written apart from
// the decoder it checks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace veska::fuzz {

// A finding: the message on stderr, then abort() so libFuzzer saves the input.
[[noreturn]] inline void fail(const char* what) {
  std::fprintf(stderr, "fuzz check failed: %s\n", what);
  std::abort();
}

inline void check(bool ok, const char* what) {
  if (!ok) fail(what);
}

inline std::string_view bytesOf(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// A read-only stream over the bytes (fmemopen refuses an empty buffer, so an
// empty input reads from /dev/null). The caller closes it.
inline std::FILE* openBytes(std::string_view bytes) {
  if (bytes.empty()) return std::fopen("/dev/null", "rb");
  return fmemopen(const_cast<char*>(bytes.data()), bytes.size(), "rb");
}

// The bytes before the first `separator`, and everything behind it (empty
// when there is none); `rest` advances past the separator.
inline std::string_view takeUntil(std::string_view& rest, char separator) {
  const auto at = rest.find(separator);
  const std::string_view head = rest.substr(0, at);
  rest = at == std::string_view::npos ? std::string_view() : rest.substr(at + 1);
  return head;
}

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
inline bool isValidUtf8(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size()) {
    const auto b = static_cast<unsigned char>(s[i]);
    std::size_t n = 0;
    std::uint32_t lo = 0x80, hi = 0xBF;  // allowed range of the second byte
    if (b < 0x80) {
      ++i;
      continue;
    } else if (b >= 0xC2 && b <= 0xDF) {
      n = 1;
    } else if (b >= 0xE0 && b <= 0xEF) {
      n = 2;
      if (b == 0xE0) lo = 0xA0;
      if (b == 0xED) hi = 0x9F;
    } else if (b >= 0xF0 && b <= 0xF4) {
      n = 3;
      if (b == 0xF0) lo = 0x90;
      if (b == 0xF4) hi = 0x8F;
    } else {
      return false;
    }
    if (i + n >= s.size()) return false;
    for (std::size_t k = 1; k <= n; ++k) {
      const auto c = static_cast<unsigned char>(s[i + k]);
      if (c < (k == 1 ? lo : 0x80) || c > (k == 1 ? hi : 0xBF)) return false;
    }
    i += n + 1;
  }
  return true;
}

}  // namespace veska::fuzz
