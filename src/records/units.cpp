#include "records/units.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace veska::records {

InputUnit::InputUnit(std::FILE* file, std::string name)
    : file_(file), name_(std::move(name)), lines_(file) {}

InputUnit::~InputUnit() { std::fclose(file_); }

ReadStatus InputUnit::readRecord(Text& record, std::size_t length) {
  if (replay_) {
    replay_ = false;
  } else {
    std::string bytes;
    if (!lines_.next(bytes)) {
      haveLast_ = false;
      return lines_.failed() ? ReadStatus::Error : ReadStatus::End;
    }
    // Editors on Windows often begin a UTF-8 file with a byte-order mark; kept,
    // it would push every column of the first line one place to the right.
    if (firstLine_ && bytes.starts_with("\xEF\xBB\xBF")) bytes.erase(0, 3);
    firstLine_ = false;
    last_ = decodeLine(bytes);
    haveLast_ = true;
  }
  record = fitRecord(last_, length);
  return ReadStatus::Ok;
}

void InputUnit::stepBack() {
  if (haveLast_) replay_ = true;
}

OutputUnit::OutputUnit(std::FILE* file, std::string name) : file_(file), name_(std::move(name)) {}

OutputUnit::~OutputUnit() { close(); }

bool OutputUnit::writeLine(std::string_view line) {
  if (!file_) return false;
  errno = 0;
  if (std::fwrite(line.data(), 1, line.size(), file_) == line.size() && std::fputc('\n', file_) != EOF) return true;
  error_ = errno != 0 ? std::strerror(errno) : "Write failed";
  return false;
}

bool OutputUnit::flush() { return !file_ || std::fflush(file_) == 0; }

bool OutputUnit::close() {
  if (!file_) return true;
  errno = 0;
  const bool ok = std::fclose(file_) == 0;
  if (!ok) error_ = errno != 0 ? std::strerror(errno) : "Write failed";
  file_ = nullptr;
  return ok;
}

OpenResult Units::open(int unit, const std::string& path, OpenStatus status) {
  if (path.empty()) return {false, "No file name given"};
  // The system would take the name to end at a NUL and open another file.
  if (path.find('\0') != std::string::npos) return {false, std::strerror(EINVAL)};
  errno = 0;
  if (status == OpenStatus::Old) {
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return {false, std::strerror(EISDIR)};
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return {false, std::strerror(errno)};
    inputs_[unit] = std::make_unique<InputUnit>(f, path);
    return {true, {}};
  }
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return {false, std::strerror(errno)};
  outputs_[unit] = std::make_unique<OutputUnit>(f, path);
  return {true, {}};
}

InputUnit* Units::input(int unit) {
  auto it = inputs_.find(unit);
  return it == inputs_.end() ? nullptr : it->second.get();
}

OutputUnit* Units::output(int unit) {
  auto it = outputs_.find(unit);
  return it == outputs_.end() ? nullptr : it->second.get();
}

std::optional<WriteFailure> Units::closeAll() {
  std::optional<WriteFailure> failure;
  for (auto& [n, out] : outputs_)
    if (!out->close() && !failure) failure = WriteFailure{out->name(), out->error()};
  outputs_.clear();
  inputs_.clear();
  return failure;
}

}  // namespace veska::records
