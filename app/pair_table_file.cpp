#include "pair_table_file.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "match/pair_table.h"

namespace veska::app {
namespace {

// The table and the report are one file (by any name or link): writing the
// table would destroy the report. The command line refuses that before the
// run; a link made while it ran is caught here.
bool isTheReport(const std::string& path, const std::string& reportPath) {
  struct stat table {};
  struct stat report {};
  return ::stat(path.c_str(), &table) == 0 && ::stat(reportPath.c_str(), &report) == 0 &&
         table.st_dev == report.st_dev && table.st_ino == report.st_ino;
}

// The text to the file; the system's reason when that fails.
std::string writeFile(const std::string& path, const std::string& text) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return std::strerror(errno);
  errno = 0;
  const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size() && std::fflush(file) == 0;
  const int writeError = errno;
  const bool closed = std::fclose(file) == 0;
  if (written && closed) return "";
  return std::strerror(writeError != 0 ? writeError : errno != 0 ? errno : EIO);
}

}  // namespace

void PairTableFile::matchPhaseWritten(const match::RunRecord& run) {
  const std::string reason =
      isTheReport(path_, reportPath_) ? "It is the report itself" : writeFile(path_, match::pairTable(run));
  if (reason.empty()) return;
  // The report holds every line by now (the run calls this after its last
  // one): a table that fails must not mark it as cut short.
  rt_.reportComplete();
  rt_.fatalIo("write", path_, reason);
}

}  // namespace veska::app
