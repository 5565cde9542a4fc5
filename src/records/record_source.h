// Where records come from, one at a time: a data file's lines through the
// run's units, or a test's strings. The record engine and the readers know
// only this.
#pragma once

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
};

}  // namespace veska::records
