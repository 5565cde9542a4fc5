// A text window's lines written to a file: one file line per window line,
// each ended by CR LF, nothing before or after (an empty window gives an
// empty file). Characters are written as UTF-8, as the console writes them.
#pragma once

#include <string>
#include <vector>

namespace veska::window {

class TextWindowModel;

enum class SaveResult {
  Written,
  CannotCreate,  // nothing written (no folder, a link or no plain file): "Cannot create file"
  WriteFailed,   // writing failed, a file of that name left as it was: "I/O error while writing file"
};

std::string savedBytes(const std::vector<std::u32string>& lines);

// Creates or replaces the file at `path` (UTF-8) with the lines, through a
// new file that takes the name once complete; a link, a FIFO, a device or a
// folder is never opened.
SaveResult writeTextFile(const std::string& path, const std::vector<std::u32string>& lines);
// The same with every line the window shows, its own text or a source's.
SaveResult writeWindowText(const std::string& path, const TextWindowModel& model);

}  // namespace veska::window
