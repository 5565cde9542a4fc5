// The lines of a text file, shown without reading the file up front: where
// each line ends is found a slice at a time (indexMore), and a line's text is
// read from the file only when it is looked at, a block of lines at a time.
// A report of a thousand series holds half a million lines; its window opens
// on the first slice and keeps only the line ends and one block in memory.
//
// Lines end at LF; a CR before the LF is no part of the line, and a last
// line without a line end is still a line. Bytes decode as console output
// does (UTF-8, else Latin-1), and a tab moves on to the next multiple of 8
// columns, as it does when typed into a text window.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "hosts/window/model/line_source.h"

namespace veska::window {

class FileLines : public LineSource {
 public:
  // Opens the file for reading; nullptr when it cannot be opened.
  static std::unique_ptr<FileLines> open(const std::string& path);
  ~FileLines() override;
  FileLines(const FileLines&) = delete;
  FileLines& operator=(const FileLines&) = delete;

  // Finds the line ends in about the next `bytes` bytes of the file; false
  // once the whole file has been seen (a read error counts as its end).
  bool indexMore(std::size_t bytes);
  bool indexed() const { return done_; }
  // From now on the lines are read from a private copy of what the file
  // holds now, so that whatever is later written to the file (a new run's
  // report over this one) changes nothing shown. The copy is an unnamed
  // file, gone with this object. False when no copy could be made.
  bool keepOwnCopy();

  int lineCount() const override { return static_cast<int>(ends_.size()); }
  int widestLine() const override { return widest_; }
  const std::u32string& line(int row) const override;

 private:
  explicit FileLines(int fd) : fd_(fd) {}
  void endLine(std::uint64_t end);
  void readBlock(int first) const;

  int fd_;
  std::uint64_t scanned_ = 0;        // bytes of the file looked at so far
  std::vector<std::uint64_t> ends_;  // offset just past each line's end
  int width_ = 0;                    // columns of the line being scanned
  int widest_ = 0;
  bool done_ = false;
  // The block of lines read last, and its first row.
  mutable std::vector<std::u32string> block_;
  mutable int blockFirst_ = -1;
  std::u32string empty_;
};

}  // namespace veska::window
