#include "records/text.h"

#include <optional>

namespace veska::records {
namespace {

// Decodes strict UTF-8 (no overlongs, no surrogates, nothing above U+10FFFF);
// nullopt when any byte sequence is not valid.
std::optional<Text> decodeUtf8(std::string_view bytes) {
  Text out;
  out.reserve(bytes.size());
  std::size_t i = 0;
  while (i < bytes.size()) {
    const auto b0 = static_cast<unsigned char>(bytes[i]);
    if (b0 < 0x80) {
      out.push_back(b0);
      ++i;
      continue;
    }
    int extra = 0;
    char32_t cp = 0;
    char32_t min = 0;
    if ((b0 & 0xE0) == 0xC0) {
      extra = 1, cp = b0 & 0x1F, min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
      extra = 2, cp = b0 & 0x0F, min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
      extra = 3, cp = b0 & 0x07, min = 0x10000;
    } else {
      return std::nullopt;
    }
    if (i + extra >= bytes.size()) return std::nullopt;
    for (int k = 1; k <= extra; ++k) {
      const auto b = static_cast<unsigned char>(bytes[i + k]);
      if ((b & 0xC0) != 0x80) return std::nullopt;
      cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return std::nullopt;
    out.push_back(cp);
    i += extra + 1;
  }
  return out;
}

}  // namespace

Text decodeLine(std::string_view bytes) {
  if (auto utf8 = decodeUtf8(bytes)) return *std::move(utf8);
  return decodeLatin1(bytes);
}

Text decodeLatin1(std::string_view bytes) {
  Text latin1;
  latin1.reserve(bytes.size());
  for (char c : bytes) latin1.push_back(static_cast<unsigned char>(c));
  return latin1;
}

void Utf8Check::add(unsigned char b) {
  if (!ok_) return;
  if (left_ > 0) {
    if ((b & 0xC0) != 0x80) {
      ok_ = false;
      return;
    }
    cp_ = (cp_ << 6) | (b & 0x3F);
    if (--left_ == 0) ok_ = cp_ >= min_ && cp_ <= 0x10FFFF && (cp_ < 0xD800 || cp_ > 0xDFFF);
    return;
  }
  if (b < 0x80) return;
  if ((b & 0xE0) == 0xC0) {
    left_ = 1, cp_ = b & 0x1F, min_ = 0x80;
  } else if ((b & 0xF0) == 0xE0) {
    left_ = 2, cp_ = b & 0x0F, min_ = 0x800;
  } else if ((b & 0xF8) == 0xF0) {
    left_ = 3, cp_ = b & 0x07, min_ = 0x10000;
  } else {
    ok_ = false;
  }
}

Text fromUtf8(std::string_view bytes) { return decodeLine(bytes); }

std::string toUtf8(std::u32string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char32_t c : text) {
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (c >> 6)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (c >> 12)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (c >> 18)));
      out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return out;
}

Text fitRecord(std::u32string_view text, std::size_t length) {
  Text out(text.substr(0, length));
  out.resize(length, U' ');
  return out;
}

std::size_t findChar(std::u32string_view text, char32_t c) {
  const auto pos = text.find(c);
  return pos == std::u32string_view::npos ? 0 : pos + 1;
}

}  // namespace veska::records
