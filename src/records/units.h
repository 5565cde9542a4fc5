// The table of open units: numbered files opened by name with a status, read
// as fixed-length records or written line by line. Units stay open until the
// end of the run closes them all.
//
// An output unit writes each line straight to the system: a report line is in
// the file the moment it is written, whatever happens to the process after.
// An output file is held with an advisory lock while it is open, so two runs
// never write one report. An input file must be a regular file and never one
// that the run writes or will write.
#pragma once

#include <cstddef>
#include <cstdio>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <sys/stat.h>

#include "records/line_reader.h"
#include "records/record_source.h"
#include "records/text.h"

namespace veska::records {

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

  // The next line whole, as many characters as it holds; Error when the
  // system could not read it.
  ReadStatus readLine(Text& line);
  const std::string& name() const { return name_; }
  // The last read failed in the system (not the end of the file), and why.
  bool readFailed() const { return lines_.failed(); }
  int readError() const { return lines_.error(); }

 private:
  std::FILE* file_;
  std::string name_;
  LineReader lines_;
  bool firstLine_ = true;
};

class OutputUnit {
 public:
  // Takes over the descriptor (and the lock held on it).
  OutputUnit(int fd, std::string name);
  ~OutputUnit();
  OutputUnit(const OutputUnit&) = delete;
  OutputUnit& operator=(const OutputUnit&) = delete;

  // Appends one line (UTF-8, without its line end), handed to the system
  // before it returns; false on a write error.
  bool writeLine(std::string_view line);
  bool close();
  const std::string& name() const { return name_; }
  int fd() const { return fd_; }
  // A write has failed: the file may end anywhere.
  bool failed() const { return !error_.empty(); }
  // The system's reason for the last failed write or close.
  const std::string& error() const { return error_; }

 private:
  int fd_;
  std::string name_;
  std::string error_;
};

struct OpenResult {
  bool ok = false;
  std::string reason;  // the system's reason when !ok
  bool inUse = false;  // !ok because another process holds the file's lock
};

struct WriteFailure {
  std::string name;
  std::string reason;
};

class Units {
 public:
  // The name is opened byte for byte. Status Old refuses, without blocking,
  // a file that is not a regular file (a FIFO, a device, a directory) and a
  // file that is an open output unit's or a kept file's. Status Unknown
  // takes the file's lock before it empties the file: a file that another
  // process holds is left as it is (inUse).
  OpenResult open(int unit, const std::string& path, OpenStatus status);
  // A file the run writes, or will write once it opens it: never opened for
  // reading, by this name or any other (a link, a symbolic link).
  void keepFromReading(std::string path) { kept_.push_back(std::move(path)); }
  InputUnit* input(int unit);
  OutputUnit* output(int unit);
  // Closes every unit; the first output unit whose pending lines could not be
  // written, if any, with the system's reason.
  std::optional<WriteFailure> closeAll();

 private:
  std::map<int, std::unique_ptr<InputUnit>> inputs_;
  std::map<int, std::unique_ptr<OutputUnit>> outputs_;
  std::vector<std::string> kept_;

  OpenResult openInput(int unit, const std::string& path);
  OpenResult openOutput(int unit, const std::string& path);
  bool isWrittenByThisRun(const struct stat& file) const;
};

}  // namespace veska::records
