// Console output bytes as window characters: UTF-8 where it is, Latin-1 otherwise.
#include "hosts/window/model/output_decoder.h"

#include <gtest/gtest.h>

namespace veska::test {
namespace {

TEST(OutputDecoder, UsesUtf8WhereItIsWellFormedAndLatin1ForAnyOtherByte) {
  struct Row {
    const char* name;
    std::string bytes;
    std::u32string characters;
  };
  const Row rows[] = {
      {"ascii", "ab 1", U"ab 1"},
      {"two-byte", "\xC3\xA9", U"\u00E9"},
      {"three-byte", "\xE2\x82\xAC", U"\u20AC"},
      {"four-byte", "\xF0\x9F\x8C\xB2", U"\U0001F332"},
      {"lone Latin-1 byte", "a\xE9z", U"a\u00E9z"},
      {"truncated at the end", "a\xC3", U"a\u00C3"},
      {"lead without continuation", "\xC3(", U"\u00C3("},
      {"overlong slash", "\xC0\xAF", U"\u00C0\u00AF"},
      {"surrogate", "\xED\xA0\x80", U"\u00ED\u00A0\u0080"},
      {"beyond U+10FFFF", "\xF4\x90\x80\x80", U"\u00F4\u0090\u0080\u0080"},
      {"stray continuation", "\x80x", U"\u0080x"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(window::decodeOutput(row.bytes), row.characters);
  }
}

}  // namespace
}  // namespace veska::test
