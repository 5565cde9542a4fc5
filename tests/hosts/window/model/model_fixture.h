// A text window model with a known cell and client size, and helpers that
// type and read the way the widget and the console hooks do.
#pragma once

#include <string>
#include <string_view>

#include "hosts/window/model/text_window_model.h"
#include "records/text.h"

namespace veska::test {

// Cells of 8 x 16 pixels; a client area of 80 columns and 25 rows.
inline constexpr int kCharWidth = 8;
inline constexpr int kLineHeight = 16;

inline window::TextWindowModel makeModel(int columns = 80, int rows = 25) {
  window::TextWindowModel model;
  model.setCellSize(kCharWidth, kLineHeight);
  model.resize(columns * kCharWidth, rows * kLineHeight);
  return model;
}

inline void type(window::TextWindowModel& model, std::string_view utf8) {
  for (const char32_t c : records::fromUtf8(utf8)) model.character(c);
}

inline std::string lastLine(const window::TextWindowModel& model) {
  return model.lines().empty() ? std::string() : records::toUtf8(model.lines().back());
}

inline std::string lineAt(const window::TextWindowModel& model, int index) {
  return records::toUtf8(model.lines().at(static_cast<std::size_t>(index)));
}

}  // namespace veska::test
