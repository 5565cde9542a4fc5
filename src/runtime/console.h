// The console as the run sees it: a few hooks that a host implements. The
// terminal host plugs in stdin/stdout; the windowed host its Input/Output
// window. Bytes are UTF-8; a record handed to write() ends with CR LF, a
// prompt carries no line end so that the answer is typed behind it.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace veska::runtime {

class Console {
 public:
  virtual ~Console() = default;

  // False when the bytes could not be shown (the window is gone).
  virtual bool write(std::string_view bytes) = 0;
  // One answer line without its line end, at most `capacity` characters;
  // nullopt when no line can come any more (input closed, window gone).
  virtual std::optional<std::string> readLine(std::size_t capacity) = 0;
  // Lets the host service its windows; called at the start of every I/O statement.
  virtual void yield() = 0;
  // The end of the run: a host may keep its windows open here (final wait).
  virtual void terminate(int status) = 0;

  // An empty file-name answer: a host may offer a chooser; nullopt refuses.
  virtual std::optional<std::string> chooseFileForEmptyName() { return std::nullopt; }
  // A fatal I/O failure, already written as a console line; a host may show it too.
  virtual void fatalError(std::string_view /*message*/) {}
  // Set when the host is quitting (Exit chosen, window closed during a read):
  // a read or write that then fails ends the run with this status instead of
  // reporting the end of the console input.
  virtual std::optional<int> quitStatus() const { return std::nullopt; }
};

}  // namespace veska::runtime
