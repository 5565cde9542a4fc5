// A text window model with a known cell and client size, and helpers that
// type and read the way the widget and the console hooks do.
#pragma once

#include <string>
#include <string_view>

#include "console/host/text_window_model.h"
#include "console/io/text.h"

namespace veska::test {

// Cells of 8 x 16 pixels; a client area of 80 columns and 25 rows.
inline constexpr int kCharWidth = 8;
inline constexpr int kLineHeight = 16;

inline host::TextWindowModel makeModel(int columns = 80, int rows = 25) {
  host::TextWindowModel model;
  model.setCellSize(kCharWidth, kLineHeight);
  model.resize(columns * kCharWidth, rows * kLineHeight);
  return model;
}

inline void type(host::TextWindowModel& model, std::string_view utf8) {
  for (const char32_t c : io::fromUtf8(utf8)) model.character(c);
}

inline std::string lastLine(const host::TextWindowModel& model) {
  return model.lines().empty() ? std::string() : io::toUtf8(model.lines().back());
}

inline std::string lineAt(const host::TextWindowModel& model, int index) {
  return io::toUtf8(model.lines().at(static_cast<std::size_t>(index)));
}

}  // namespace veska::test
