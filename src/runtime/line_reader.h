// Splits a byte stream into lines. A line ends at an LF or at a run of CRs;
// a run of CRs directly followed by an LF ends the line together with that
// LF, so LF, CR LF, CR CR LF and a lone CR each end exactly one line. Archive
// files use all four, sometimes mixed in one file.
#pragma once

#include <cstddef>
#include <cstdio>
#include <optional>
#include <string>

namespace veska::runtime {

// Bytes kept of one line: records are 80 characters and answers 4096, so
// nothing past this is ever used, and a file without line ends (a disk image,
// a binary picked by mistake) must not be held whole in memory.
inline constexpr std::size_t kMaxLineBytes = 64 * 1024;

class LineReader {
 public:
  explicit LineReader(std::FILE* file) : file_(file) {}

  // The next line's bytes without its line end; false at the end of the
  // stream (a last line without a line end is still a line). A read error of
  // the stream also reports false, with failed() set. A longer line keeps its
  // first kMaxLineBytes bytes, less a UTF-8 sequence cut in two, and the rest
  // of it is skipped.
  bool next(std::string& line);
  // Whether the last line read was valid UTF-8 as a whole, the part skipped
  // included: a line whose kept start happens to be valid UTF-8 but which
  // is not is Latin-1 throughout.
  bool utf8() const { return utf8_; }
  // Whether the last line read was longer than kMaxLineBytes, so that only
  // its start was kept.
  bool cut() const { return cut_; }
  bool failed() const { return failed_; }
  // The errno of the failed read.
  int error() const { return error_; }

 private:
  int get();
  void unget(int c) { pending_ = c; }

  std::FILE* file_;
  std::optional<int> pending_;  // a byte read one too far, to be read again
  bool failed_ = false;
  bool utf8_ = true;
  bool cut_ = false;
  int error_ = 0;
};

}  // namespace veska::runtime
