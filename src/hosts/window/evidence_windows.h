// The windows that show the evidence behind a finished run's report: the
// report window (VESKA.OUT, read-only) opened once the match phase has
// written its last pair line, and a pair window per pair asked for, from a
// double-click on the pair's report line or from View > Pair.... The frame's
// View menu asks for them; it enables its entries once the run is there.
// The host owns it; it lives no longer than the frame.
#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QTimer>

#include "dialogue/run_observer.h"

class QMdiSubWindow;

namespace veska::window {

class Dialogs;
class FileLines;
class FrameWindow;
class PairWindow;
class TextWindow;

class EvidenceWindows : public QObject, public dialogue::RunObserver {
  Q_OBJECT

 public:
  // Makes a text window in the frame, not showing any unit.
  using TextWindowMaker = std::function<TextWindow*(const QString& title, const QRect& geometry)>;

  EvidenceWindows(FrameWindow& frame, Dialogs& dialogs, TextWindowMaker makeTextWindow);
  ~EvidenceWindows() override;

  // Keeps the run and opens the report window.
  void matchPhaseWritten(const match::RunRecord& run) override;

  // The pair's window (run().pairs[index]), opened or brought to the front.
  PairWindow* openPair(std::size_t index);

  const match::RunRecord* run() const { return run_.get(); }
  TextWindow* reportWindow() const { return report_; }
  // The pair whose line is row `row` (from 0) of the report window.
  std::optional<std::size_t> pairAtReportRow(int row);
  // The whole report has been looked through for its pair lines.
  bool reportIndexed() const;
  // A newer run has the View menu: this one keeps only its open windows.
  void leaveViewMenu();
  // The run has ended: its report window keeps showing this run's report
  // (from a private copy), whatever a later run writes to VESKA.OUT.
  void keepReport();

 public Q_SLOTS:
  // View > Report: opens the report window again, or brings it to the front.
  void showReport();
  // View > Pair...: the chooser, then the chosen pair's window.
  void choosePair();
  // File > Export Table... in the report window: the pair table (every
  // reported placement with its pair's trust, as CSV) to a file the user
  // names; never over the report itself.
  void exportTable();

 private:
  void openReportFile();
  // One slice of the report's lines and pair lines found; false once done.
  bool indexReport();
  // Looks for pair lines among the report's lines up to (not including) row
  // `end`, in the order the run wrote them.
  void findPairRows(int end);
  QRect childGeometry(int index, QSize wanted) const;

  FrameWindow& frame_;
  Dialogs& dialogs_;
  TextWindowMaker makeTextWindow_;
  std::unique_ptr<match::RunRecord> run_;
  QPointer<TextWindow> report_;
  // The report's lines, read from VESKA.OUT as they are shown; a timer finds
  // where its lines end and which are pair lines, a slice per event pass.
  std::shared_ptr<FileLines> reportLines_;
  QTimer indexing_;
  std::vector<int> pairRows_;  // the report's row of each pair line found so far, in pair order
  int rowsSearched_ = 0;       // rows looked through for pair lines
  std::u32string nextPairLine_;
  std::map<std::size_t, QPointer<QMdiSubWindow>> pairWindows_;
  int opened_ = 0;
};

}  // namespace veska::window
