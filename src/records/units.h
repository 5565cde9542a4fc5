// The table of open units: numbered files opened by name with a status, read
// as fixed-length records or written line by line. Units stay open until the
// end of the run closes them all.
#pragma once

#include <cstddef>
#include <cstdio>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "records/line_reader.h"
#include "records/text.h"

namespace veska::records {

enum class ReadStatus { Ok, Error, End };

inline constexpr int kDatedUnit = 9;
inline constexpr int kUndatedUnit = 10;
inline constexpr int kReportUnit = 11;

enum class OpenStatus {
  Old,      // the file must exist; opened for reading
  Unknown,  // created, or replaced when it exists; opened for writing
};

class InputUnit {
 public:
  InputUnit(std::FILE* file, std::string name);
  ~InputUnit();
  InputUnit(const InputUnit&) = delete;
  InputUnit& operator=(const InputUnit&) = delete;

  // The next line as a record of `length` characters (cut or blank-padded).
  ReadStatus readRecord(Text& record, std::size_t length);
  // The next read returns the line just read again.
  void stepBack();
  const std::string& name() const { return name_; }

 private:
  std::FILE* file_;
  std::string name_;
  LineReader lines_;
  Text last_;
  bool haveLast_ = false;
  bool replay_ = false;
  bool firstLine_ = true;
};

class OutputUnit {
 public:
  OutputUnit(std::FILE* file, std::string name);
  ~OutputUnit();
  OutputUnit(const OutputUnit&) = delete;
  OutputUnit& operator=(const OutputUnit&) = delete;

  // Appends one line (UTF-8, without its line end); false on a write error.
  bool writeLine(std::string_view line);
  bool close();
  // Hands the lines written so far to the system, so another reader of the
  // file sees them while the unit stays open.
  bool flush();
  const std::string& name() const { return name_; }
  // The system's reason for the last failed write or close.
  const std::string& error() const { return error_; }

 private:
  std::FILE* file_;
  std::string name_;
  std::string error_;
};

struct OpenResult {
  bool ok = false;
  std::string reason;  // the system's reason when !ok
};

struct WriteFailure {
  std::string name;
  std::string reason;
};

class Units {
 public:
  OpenResult open(int unit, const std::string& path, OpenStatus status);
  InputUnit* input(int unit);
  OutputUnit* output(int unit);
  // Closes every unit; the first output unit whose pending lines could not be
  // written, if any, with the system's reason.
  std::optional<WriteFailure> closeAll();

 private:
  std::map<int, std::unique_ptr<InputUnit>> inputs_;
  std::map<int, std::unique_ptr<OutputUnit>> outputs_;
};

}  // namespace veska::records
