// The windows that show the evidence behind a finished run's report: the
// report window (VESKA.OUT, read-only) opened once the match phase has
// written its last pair line, and a pair window per pair asked for, from a
// double-click on the pair's report line or from View > Pair.... Adds the
// View menu (Report, Pair...) before the Window menu and carries the File
// and Edit commands to the active pair window.
#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include <QObject>
#include <QPointer>
#include <QRect>

#include "dialogue/run_observer.h"

class QAction;
class QMdiSubWindow;

namespace veska::window {

class Dialogs;
class FrameWindow;
class MenuActions;
class PairWindow;
class TextWindow;

class EvidenceWindows : public QObject, public dialogue::RunObserver {
  Q_OBJECT

 public:
  // Makes a text window in the frame, not showing any unit.
  using TextWindowMaker = std::function<TextWindow*(const QString& title, const QRect& geometry)>;

  EvidenceWindows(FrameWindow& frame, MenuActions& actions, Dialogs& dialogs, TextWindowMaker makeTextWindow);
  ~EvidenceWindows() override;

  // Keeps the run and opens the report window.
  void matchPhaseWritten(const match::RunRecord& run) override;

  // View > Report: opens the report window again, or brings it to the front.
  void showReport();
  // View > Pair...: the chooser, then the chosen pair's window.
  void choosePair();
  // The pair's window (run().pairs[index]), opened or brought to the front.
  PairWindow* openPair(std::size_t index);

  const match::RunRecord* run() const { return run_.get(); }
  TextWindow* reportWindow() const { return report_; }
  // The pair whose line is row `row` (from 0) of the report window.
  std::optional<std::size_t> pairAtReportRow(int row) const;

 private:
  void loadReport(TextWindow& window);
  void childCommand(int id);
  void adjustMenus();
  PairWindow* activePairWindow() const;
  QRect childGeometry(int index, QSize wanted) const;

  FrameWindow& frame_;
  MenuActions& actions_;
  Dialogs& dialogs_;
  TextWindowMaker makeTextWindow_;
  QAction* reportAction_ = nullptr;
  QAction* pairAction_ = nullptr;
  std::unique_ptr<match::RunRecord> run_;
  QPointer<TextWindow> report_;
  std::vector<int> pairRows_;  // the report window's row of each pair line
  std::map<std::size_t, QPointer<QMdiSubWindow>> pairWindows_;
  int opened_ = 0;
};

}  // namespace veska::window
