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

// A line as the source gave it, and whether it was longer than the source
// keeps (so that only its start is here).
struct SourceLine {
  records::Text text;
  bool cut = false;
};

class SourceLines {
 public:
  explicit SourceLines(records::RecordSource& source) : source_(source) {}

  // The next line whole, as many characters as it holds.
  records::ReadStatus line(records::Text& line);
  // The next line as a record of `length` characters (cut or blank-padded).
  records::ReadStatus record(records::Text& record, std::size_t length);
  // The line just read was longer than the source keeps, and was cut.
  bool lastCut() const { return last_.cut; }
  // The next read returns the line just read again.
  void unreadLast();
  // Lines already read are given back: the next reads return them, in order,
  // before the source goes on. A layout is recognised this way by looking at
  // a file's first lines without consuming them.
  void unread(std::vector<SourceLine> lines);
  // The file's first bytes, at most `limit`, before any line is read (see
  // records::RecordSource::startBytes); false once a line has been read.
  bool startBytes(std::string& bytes, std::size_t limit);
  // The source could give no further line (a read error, or the run
  // stopping) and every line given back has been read again.
  bool failed() const { return failed_ && pending_.empty() && !replay_; }

 private:
  records::ReadStatus advance();

  records::RecordSource& source_;
  SourceLine last_;
  bool haveLast_ = false;
  bool replay_ = false;
  bool failed_ = false;
  bool started_ = false;  // a line has been asked of the source
  std::deque<SourceLine> pending_;  // lines given back, read before the source goes on
};

}  // namespace veska::input
