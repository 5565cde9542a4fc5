// The names a text window's Save commands work with: the title its first
// Save offers, the default path of the Save As dialog and the title a saved
// window takes. All paths and titles are UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace veska::window {

inline constexpr std::string_view kConsoleTitle = "Input/Output";
inline constexpr std::string_view kUntitled = "Untitled";

// The name the Save As dialog offers for a window titled `windowTitle`:
// "Untitled" for the Input/Output window, otherwise the title itself.
std::string saveTitle(std::string_view windowTitle);

// The path the Save As dialog starts from: the directory of `lastPath` (the
// path last chosen, or the current directory while none was), followed by
// `title`; trailing blanks are removed from both parts.
std::string defaultSavePath(std::string_view lastPath, std::string_view currentDirectory, std::string_view title);

// The file's name without its directory: what a saved window is titled.
std::string fileNameOf(std::string_view path);

}  // namespace veska::window
