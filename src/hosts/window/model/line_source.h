// Lines a text window shows read-only from somewhere other than its own text
// (a report file), fetched only when they are painted, selected or saved.
#pragma once

#include <string>

namespace veska::window {

class LineSource {
 public:
  virtual ~LineSource() = default;
  // The lines known so far; the count may grow between calls.
  virtual int lineCount() const = 0;
  virtual int widestLine() const = 0;
  // Line `row` (from 0, below lineCount()); valid until the next call.
  virtual const std::u32string& line(int row) const = 0;
};

}  // namespace veska::window
