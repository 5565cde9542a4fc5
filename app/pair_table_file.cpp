#include "pair_table_file.h"

#include "match/pair_table.h"
#include "runtime/same_file.h"

namespace veska::app {

PairTableFile::PairTableFile(runtime::Runtime& rt, std::string path, std::string reportPath)
    : rt_(rt), path_(std::move(path)), reportPath_(std::move(reportPath)) {
  // Answered as a data file, the table would replace that file at the end.
  rt_.units().keepFromReading(path_);
}

runtime::NewFile& PairTableFile::table() {
  if (!file_) {
    file_ = std::make_unique<runtime::NewFile>(path_);
    file_->write(match::pairTableHeader());
  }
  return *file_;
}

void PairTableFile::pairWritten(const match::RunRecord& run, const match::RunPair& pair) {
  // A failure is told once the report is complete.
  if (table().ok()) file_->write(rows_.of(run, pair));
}

void PairTableFile::matchPhaseWritten(const match::RunRecord& /*run*/) {
  runtime::NewFile& file = table();
  // The table and the report are one file (by any name or link): the
  // command line refuses that before the run; a link made while it ran is
  // caught here.
  std::string reason = runtime::sameFile(path_, reportPath_) ? "It is the report itself" : file.commit();
  file_.reset();
  if (reason.empty()) return;
  // The report holds every line by now (the run calls this after its last
  // one): a table that fails must not mark it as cut short.
  rt_.reportComplete();
  rt_.fatalIo("write", path_, reason);
}

}  // namespace veska::app
