// veska-console --table FILE: the pair table written to FILE once the match
// phase has written its last pair line. A table that cannot be written ends
// the run as a failed report write does (a console line naming the file and
// the reason, status 2); the report is complete by then and stays so.
#pragma once

#include <string>

#include "dialogue/run_observer.h"
#include "runtime/runtime.h"

namespace veska::app {

class PairTableFile : public dialogue::RunObserver {
 public:
  PairTableFile(runtime::Runtime& rt, std::string path, std::string reportPath)
      : rt_(rt), path_(std::move(path)), reportPath_(std::move(reportPath)) {
    // Answered as a data file, the table would replace that file at the end.
    rt_.units().keepFromReading(path_);
  }
  void matchPhaseWritten(const match::RunRecord& run) override;

 private:
  runtime::Runtime& rt_;
  std::string path_;
  std::string reportPath_;
};

}  // namespace veska::app
