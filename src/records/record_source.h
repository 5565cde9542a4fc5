// Where records come from, one at a time: a data file's lines through the
// run's units, or a test's strings. The record engine and the readers know
// only this.
#pragma once

#include <cstddef>
#include <string>

#include "records/text.h"

namespace veska::records {

// Error: the source can give no further record (a read failed, or the run is
// stopping); End: it has none left.
enum class ReadStatus { Ok, Error, End };

class RecordSource {
 public:
  virtual ~RecordSource() = default;
  virtual ReadStatus next(Text& record) = 0;
  // The last record was longer than the source keeps, and only its start was
  // given.
  virtual bool lastCut() const { return false; }
  // The source's bytes from its start, at most `limit` of them, when it is a
  // file from which no line has been read yet and which can be read again
  // from its start: a binary layout is told and read by its bytes. False
  // when the source cannot give them; its lines are then as they were.
  virtual bool startBytes(std::string& bytes, std::size_t limit) {
    (void)bytes;
    (void)limit;
    return false;
  }
};

}  // namespace veska::records
