#include "input/source_lines.h"

#include <utility>

namespace veska::input {

records::ReadStatus SourceLines::advance() {
  // Lines given back come first even after the source failed while a layout
  // was being recognised: the readers meet the failure where it happened.
  if (replay_) {
    replay_ = false;
    return records::ReadStatus::Ok;
  }
  if (!pending_.empty()) {
    last_ = std::move(pending_.front());
    pending_.pop_front();
    haveLast_ = true;
    return records::ReadStatus::Ok;
  }
  if (failed_) return records::ReadStatus::Error;
  started_ = true;
  const records::ReadStatus status = source_.next(last_.text);
  last_.cut = status == records::ReadStatus::Ok && source_.lastCut();
  failed_ = status == records::ReadStatus::Error;
  haveLast_ = status == records::ReadStatus::Ok;
  return status;
}

records::ReadStatus SourceLines::line(records::Text& line) {
  const records::ReadStatus status = advance();
  if (status == records::ReadStatus::Ok) line = last_.text;
  return status;
}

records::ReadStatus SourceLines::record(records::Text& record, std::size_t length) {
  const records::ReadStatus status = advance();
  if (status == records::ReadStatus::Ok) record = records::fitRecord(last_.text, length);
  return status;
}

bool SourceLines::startBytes(std::string& bytes, std::size_t limit) {
  return !started_ && source_.startBytes(bytes, limit);
}

void SourceLines::unreadLast() {
  if (haveLast_) replay_ = true;
}

void SourceLines::unread(std::vector<SourceLine> lines) {
  replay_ = false;
  haveLast_ = false;
  for (auto it = lines.rbegin(); it != lines.rend(); ++it) pending_.push_front(std::move(*it));
}

}  // namespace veska::input
