// The lines of a data file as the readers take them: whole, or as records of
// a fixed length, with the last line (or the first few) given back so that
// the next reader starts on it. A source that fails once stays failed: the
// readers then stop where they are and say nothing more.
#pragma once

#include <cstddef>
#include <deque>
#include <vector>

#include "records/record_source.h"
#include "records/text.h"

namespace veska::input {

class SourceLines {
 public:
  explicit SourceLines(records::RecordSource& source) : source_(source) {}

  // The next line whole, as many characters as it holds.
  records::ReadStatus line(records::Text& line);
  // The next line as a record of `length` characters (cut or blank-padded).
  records::ReadStatus record(records::Text& record, std::size_t length);
  // The next read returns the line just read again.
  void unreadLast();
  // Lines already read are given back: the next reads return them, in order,
  // before the source goes on. A layout is recognised this way by looking at
  // a file's first lines without consuming them.
  void unread(std::vector<records::Text> lines);
  // The source could give no further line: a read error, or the run stopping.
  bool failed() const { return failed_; }

 private:
  records::ReadStatus advance();

  records::RecordSource& source_;
  records::Text last_;
  bool haveLast_ = false;
  bool replay_ = false;
  bool failed_ = false;
  std::deque<records::Text> pending_;  // lines given back, read before the source goes on
};

}  // namespace veska::input
