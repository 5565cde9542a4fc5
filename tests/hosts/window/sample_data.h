// A small ring-width file in the decadal layout, written by the tests that
// need a data file to answer the file-name question with.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

#include "support/test_support.h"

namespace veska::test {

// Two series of 60 rings (1900-1959): identifier in columns 1-8, the
// decade's year in 9-12, up to ten widths of 6 columns in hundredths, and
// the end marker 999.
inline std::filesystem::path writeSampleRingWidths(const std::filesystem::path& path) {
  std::string text;
  char line[128];
  for (const char* id : {"TST01", "TST02"}) {
    for (int decade = 1900; decade < 1960; decade += 10) {
      std::snprintf(line, sizeof line, "%-8s%4d", id, decade);
      text += line;
      for (int year = decade; year < decade + 10; ++year) {
        std::snprintf(line, sizeof line, "%6d", 80 + (year * 37 + id[4] * 11) % 97);
        text += line;
      }
      text += "\r\n";
    }
    std::snprintf(line, sizeof line, "%-8s%4d%6d\r\n", id, 1960, 999);
    text += line;
  }
  writeFile(path, text);
  return path;
}

}  // namespace veska::test
