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

#include "runtime/line_reader.h"
#include "records/record_source.h"
#include "records/text.h"

namespace veska::runtime {

// The files a run has open, by what each is for.
enum class Unit {
  DatedSeries,    // the data file of dated series, read
  UndatedSeries,  // the data file of undated series, read
  Report,         // the report, written
};

enum class OpenFor {
  Reading,  // the file must exist
  Writing,  // created, or emptied when it exists
};

class InputUnit {
 public:
  InputUnit(std::FILE* file, std::string name);
  ~InputUnit();
  InputUnit(const InputUnit&) = delete;
  InputUnit& operator=(const InputUnit&) = delete;

  // The next line whole, as many characters as it holds; Error when the
  // system could not read it.
  records::ReadStatus readLine(records::Text& line);
  const std::string& name() const { return name_; }
  // The last read failed in the system (not the end of the file), and why.
  bool readFailed() const { return lines_.failed(); }
  int readError() const { return lines_.error(); }
  // The last line read was longer than a line reader keeps, and was cut.
  bool lastLineCut() const { return lines_.cut(); }
  // The file's first bytes, at most `limit`, before any line is read, the
  // file then read from its start again; false for a file that cannot seek
  // (a pipe), which is left as it was.
  bool startBytes(std::string& bytes, std::size_t limit);

 private:
  std::FILE* file_;
  std::string name_;
  LineReader lines_;
  bool firstLine_ = true;
  bool started_ = false;  // a line has been asked for
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
  bool notPlain = false;  // !ok because the output file is a link, or not a plain file
};

struct WriteFailure {
  std::string name;
  std::string reason;
};

class Units {
 public:
  // The name is opened byte for byte. Opening for reading refuses, without blocking,
  // a file that is not a regular file (a FIFO, a device, a directory) and a
  // file that is an open output unit's or a kept file's. Opening for writing
  // takes the file's lock before it empties the file: a file that another
  // process holds is left as it is (inUse). It replaces only a plain file:
  // a symbolic link (dangling or not), a FIFO, a socket, a device or a
  // folder is left as it is (notPlain), and a file with more than one name
  // is replaced by a new file, so that its other names keep their contents.
  OpenResult open(Unit unit, const std::string& path, OpenFor purpose);
  // A file the run writes, or will write once it opens it: never opened for
  // reading, by this name or any other (a link, a symbolic link).
  void keepFromReading(std::string path) { kept_.push_back(std::move(path)); }
  InputUnit* input(Unit unit);
  OutputUnit* output(Unit unit);
  // Closes every unit; the first output unit whose pending lines could not be
  // written, if any, with the system's reason.
  std::optional<WriteFailure> closeAll();

 private:
  std::map<Unit, std::unique_ptr<InputUnit>> inputs_;
  std::map<Unit, std::unique_ptr<OutputUnit>> outputs_;
  std::vector<std::string> kept_;

  OpenResult openInput(Unit unit, const std::string& path);
  OpenResult openOutput(Unit unit, const std::string& path);
  bool isWrittenByThisRun(const struct stat& file) const;
};

}  // namespace veska::runtime
