// Splits a byte stream into lines. A line ends at an LF or at a run of CRs;
// a run of CRs directly followed by an LF ends the line together with that
// LF, so LF, CR LF, CR CR LF and a lone CR each end exactly one line. Archive
// files use all four, sometimes mixed in one file.
#pragma once

#include <cstdio>
#include <string>

namespace veska::io {

class LineReader {
 public:
  explicit LineReader(std::FILE* file) : file_(file) {}

  // The next line's bytes without its line end; false at the end of the
  // stream (a last line without a line end is still a line). A read error of
  // the stream also reports false, with failed() set.
  bool next(std::string& line);
  bool failed() const { return failed_; }

 private:
  int get();
  void unget(int c) { pending_ = c; }

  std::FILE* file_;
  int pending_ = -2;
  bool failed_ = false;
};

}  // namespace veska::io
