#include "pair_table_file.h"

#include <sys/stat.h>

#include "match/pair_table.h"
#include "runtime/whole_file.h"

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

}  // namespace

void PairTableFile::matchPhaseWritten(const match::RunRecord& run) {
  const std::string reason =
      isTheReport(path_, reportPath_) ? "It is the report itself"
                                      : runtime::writeWholeFile(path_, match::pairTable(run));
  if (reason.empty()) return;
  // The report holds every line by now (the run calls this after its last
  // one): a table that fails must not mark it as cut short.
  rt_.reportComplete();
  rt_.fatalIo("write", path_, reason);
}

}  // namespace veska::app
