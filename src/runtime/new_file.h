// Every file veska writes beside its report (tables, saved series,
// pictures) is written one way: into a new file in the same folder, which
// takes the file's name only once it is complete and on disk. A write that
// fails (a full disk) or a run that stops leaves a file of that name as it
// was and no cut file behind. Only a plain file is replaced: a name that is
// a symbolic link (dangling or not), a FIFO, a socket, a device or a folder
// is refused and left as it is, and nothing is ever opened through it, so
// nothing can block or write elsewhere. A file with other names (hard
// links) is replaced by a new file under this name; its other names keep
// the old contents.
#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <string_view>

namespace veska::runtime {

// Why a file cannot be written to `path`, as far as can be told before
// writing (the reason as the system words its errors: "No such file or
// directory" for a missing folder); empty when it can.
std::string outputPathProblem(const std::string& path);

// The reason given for a name that is a link or not a plain file.
inline constexpr std::string_view kNotPlainFile = "A link or not a plain file";

class NewFile {
 public:
  // Makes the new file beside `path`; check ok() (or error()) before writing.
  explicit NewFile(std::string path);
  // Not committed: the new file is removed, the old one left as it was.
  ~NewFile();
  NewFile(const NewFile&) = delete;
  NewFile& operator=(const NewFile&) = delete;

  // Adds bytes (buffered); false once anything has failed.
  bool write(std::string_view bytes);
  // Writes the rest, puts the file on disk and gives it its name; empty when
  // done, otherwise the system's reason (and the old file is as it was).
  std::string commit();
  bool ok() const { return error_.empty(); }
  const std::string& error() const { return error_; }
  const std::string& path() const { return path_; }

 private:
  bool flushBuffer();
  void discard();

  std::string path_;
  std::string scratch_;  // the new file's own name until it takes path_
  int fd_ = -1;
  std::string buffer_;
  std::string error_;
};

// The whole text into `path` the same way; empty when done, else the reason.
std::string writeNewFile(const std::string& path, std::string_view text);
// What `write` writes to the stream into `path` the same way, as it goes
// (never held whole); empty when done, else the reason.
std::string writeNewFile(const std::string& path, const std::function<void(std::ostream&)>& write);

}  // namespace veska::runtime
