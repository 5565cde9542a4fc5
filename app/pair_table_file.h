// veska-console --table FILE: the pair table written to FILE as the match
// phase writes its pair lines, a pair's rows at a time (never held whole),
// into a new file that takes FILE's name once the last pair line is
// written. A table that cannot be written ends the run as a failed report
// write does (a console line naming the file and the reason, status 2),
// leaving a file of that name as it was; the report is complete by then and
// stays so.
#pragma once

#include <memory>
#include <string>

#include "dialogue/run_observer.h"
#include "match/pair_table.h"
#include "runtime/new_file.h"
#include "runtime/runtime.h"

namespace veska::app {

class PairTableFile : public dialogue::RunObserver {
 public:
  PairTableFile(runtime::Runtime& rt, std::string path, std::string reportPath);
  bool keepsRecord() const override { return false; }
  void pairWritten(const match::RunRecord& run, const match::RunPair& pair) override;
  void matchPhaseWritten(const match::RunRecord& run) override;

 private:
  runtime::NewFile& table();

  runtime::Runtime& rt_;
  std::string path_;
  std::string reportPath_;
  std::unique_ptr<runtime::NewFile> file_;  // made at the first pair
  match::PairTableRows rows_;
};

}  // namespace veska::app
