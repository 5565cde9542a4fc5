#include "hosts/window/model/text_file.h"

#include <functional>

#include "hosts/window/model/text_window_model.h"
#include "records/text.h"
#include "runtime/new_file.h"

namespace veska::window {
namespace {

std::string lineBytes(const std::u32string& line) { return records::toUtf8(line) + "\r\n"; }

// Lines 0 to count - 1, each fetched when it is written, so that a window
// showing a file's lines never holds them all at once; written as every
// file beside the report is, into a new file that takes the name when
// complete.
SaveResult writeLines(const std::string& path, int count, const std::function<const std::u32string&(int)>& line) {
  if (path.empty()) return SaveResult::CannotCreate;
  runtime::NewFile file(path);
  if (!file.ok()) return SaveResult::CannotCreate;
  for (int row = 0; row < count; ++row)
    if (!file.write(lineBytes(line(row)))) return SaveResult::WriteFailed;
  return file.commit().empty() ? SaveResult::Written : SaveResult::WriteFailed;
}

}  // namespace

std::string savedBytes(const std::vector<std::u32string>& lines) {
  std::string bytes;
  for (const std::u32string& line : lines) bytes += lineBytes(line);
  return bytes;
}

SaveResult writeTextFile(const std::string& path, const std::vector<std::u32string>& lines) {
  return writeLines(path, static_cast<int>(lines.size()),
                    [&](int row) -> const std::u32string& { return lines[static_cast<std::size_t>(row)]; });
}

SaveResult writeWindowText(const std::string& path, const TextWindowModel& model) {
  return writeLines(path, model.lineCount(), [&](int row) -> const std::u32string& { return model.line(row); });
}

}  // namespace veska::window
