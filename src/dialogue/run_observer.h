// What a host may learn from a run besides its console and report: the
// series as read and as compared, and every pair's best three, handed over
// once the match phase has written its last pair line. A host that draws the
// evidence behind the report uses it; the terminal host gives no observer,
// and the run then keeps no copies.
#pragma once

#include <string>
#include <vector>

#include "input/series.h"
#include "match/pair_evidence.h"

namespace veska::dialogue {

class RunObserver {
 public:
  virtual ~RunObserver() = default;
  // Every report line is on disk before this is called (the report is
  // written through, line by line); the run goes
  // on to its closing pause afterwards.
  // For an observer that keeps no record, the record holds no pairs.
  virtual void matchPhaseWritten(const match::RunRecord& run) = 0;
  // Whether the observer needs every pair of the finished run in its
  // record: one that takes each pair as it is written (pairWritten) does
  // not, and the run then holds none of them for it.
  virtual bool keepsRecord() const { return true; }
  // Each pair, with its trust, once its report line is written; `run` holds
  // the series (as read and as compared), not yet the pairs.
  virtual void pairWritten(const match::RunRecord& /*run*/, const match::RunPair& /*pair*/) {}
  // A data file has been read whole, `fileName` as it was opened; before
  // its series are modelled.
  virtual void dataFileRead(const std::string& /*fileName*/, const input::SeriesTable& /*table*/) {}
};

// The series of a table as read, before modelling changes them.
std::vector<match::RunSeries> seriesAsRead(const input::SeriesTable& table);
// The values the search compared, into series taken with seriesAsRead.
void addCompared(std::vector<match::RunSeries>& series, const input::SeriesTable& table);

}  // namespace veska::dialogue
