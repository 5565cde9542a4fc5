#include "hosts/window/evidence_windows.h"

#include <algorithm>

#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>

#include "dialogue/run_driver.h"
#include "hosts/window/dialogs.h"
#include "hosts/window/frame_window.h"
#include "hosts/window/model/file_lines.h"
#include "hosts/window/model/output_decoder.h"
#include "hosts/window/model/window_placement.h"
#include "hosts/window/pair_window.h"
#include "hosts/window/save_checks.h"
#include "hosts/window/text_window.h"
#include "match/pair_table.h"
#include "runtime/same_file.h"

namespace veska::window {
namespace {

// Bytes of the report looked through per event pass, and the rows searched
// for pair lines with them: a few milliseconds, so the windows stay lively
// while a report of half a million lines is gone through.
constexpr std::size_t kSliceBytes = 256 * 1024;
constexpr int kSliceRows = 3000;

std::u32string shownPairLine(const match::RunRecord& run, std::size_t pair) {
  return decodeOutput(run.pairLineText(run.pairs[pair]));
}

// Why a pair table must not be written to `path`: the report itself (by any
// name or link, existing or not) would be destroyed; a link or a file
// that is no plain file is never written through. Nothing when it may be.
std::optional<QString> pairTableRefusal(const QString& path) {
  if (runtime::sameFile(fileNameBytes(path), dialogue::kReportFileName))
    return EvidenceWindows::tr("The pair table would replace the report %1. Choose another file.")
        .arg(QString::fromLatin1(dialogue::kReportFileName));
  return unwritableFile(path);
}

// Why the pair table could not be written to `path`, or nothing.
std::optional<QString> writePairTable(const QString& path, const match::RunRecord& run) {
  if (const auto refusal = pairTableRefusal(path)) return refusal;
  const std::string reason = match::writePairTable(fileNameBytes(path), run);
  if (reason.empty()) return std::nullopt;
  return EvidenceWindows::tr("The pair table could not be written to %1: %2.")
      .arg(path, QString::fromStdString(reason));
}

}  // namespace

EvidenceWindows::EvidenceWindows(FrameWindow& frame, Dialogs& dialogs, TextWindowMaker makeTextWindow)
    : frame_(frame), dialogs_(dialogs), makeTextWindow_(std::move(makeTextWindow)) {
  connect(&frame_, &FrameWindow::reportRequested, this, &EvidenceWindows::showReport);
  connect(&frame_, &FrameWindow::pairRequested, this, &EvidenceWindows::choosePair);
  connect(&indexing_, &QTimer::timeout, this, [this] {
    if (!indexReport()) indexing_.stop();
  });
  connect(&frame_, &FrameWindow::exportTableRequested, this, &EvidenceWindows::exportTable);
}

EvidenceWindows::~EvidenceWindows() = default;

void EvidenceWindows::leaveViewMenu() { disconnect(&frame_, nullptr, this, nullptr); }

void EvidenceWindows::keepReport() {
  // Read from VESKA.OUT, the window would show the next run's report at
  // this one's line ends, and a double-click would open the wrong pair. The
  // copy is read as fast as the file was. (Where none can be made, no
  // temporary space and no memory left, the file is read as before.)
  if (reportLines_) reportLines_->keepOwnCopy();
}

void EvidenceWindows::matchPhaseWritten(const match::RunRecord& run) {
  run_ = std::make_unique<match::RunRecord>(run);
  openReportFile();
  frame_.setRunEvidence(true, !run_->pairs.empty());
  // The run waits for Enter in the Input/Output window next: it keeps the
  // keyboard, and the report opens beside it.
  QMdiSubWindow* active = frame_.mdiArea()->activeSubWindow();
  showReport();
  if (active) {
    frame_.mdiArea()->setActiveSubWindow(active);
    if (active->widget()) active->widget()->setFocus();
  }
}

void EvidenceWindows::showReport() {
  if (!run_) return;
  if (report_ && !report_->isClosed()) {
    for (QMdiSubWindow* sub : frame_.mdiArea()->subWindowList())
      if (sub->widget() == report_) {
        frame_.mdiArea()->setActiveSubWindow(sub);
        sub->showNormal();
      }
    return;
  }
  const QSize room = frame_.mdiArea()->viewport()->size();
  const Box box = reportBox(room.width(), room.height());
  const QRect geometry(box.x, box.y, box.width, box.height);
  TextWindow* window = makeTextWindow_(QString::fromLatin1(dialogue::kReportFileName), geometry);
  if (!window) return;
  window->setReadOnly(true);
  window->model().showSource(reportLines_);
  window->refresh();
  connect(window, &TextWindow::lineDoubleClicked, this, [this](int row) {
    if (const auto pair = pairAtReportRow(row)) openPair(*pair);
  });
  report_ = window;
  frame_.setReportWindow(window);
}

// The report as the run left it on disk. Its first slice is gone through at
// once, so the window opens showing its first lines; the rest follows.
void EvidenceWindows::openReportFile() {
  const QString path = QDir::current().filePath(QString::fromLatin1(dialogue::kReportFileName));
  reportLines_ = FileLines::open(path.toStdString());
  pairRows_.clear();
  rowsSearched_ = 0;
  if (!run_->pairs.empty()) nextPairLine_ = shownPairLine(*run_, 0);
  if (reportLines_ && indexReport()) indexing_.start(0);
}

bool EvidenceWindows::indexReport() {
  if (!reportLines_) return false;
  const bool more = reportLines_->indexMore(kSliceBytes);
  findPairRows(std::min(reportLines_->lineCount(), rowsSearched_ + kSliceRows));
  if (report_) {
    report_->model().sourceGrew();
    report_->refresh();
  }
  return more || rowsSearched_ < reportLines_->lineCount();
}

bool EvidenceWindows::reportIndexed() const {
  return !reportLines_ || (reportLines_->indexed() && rowsSearched_ == reportLines_->lineCount());
}

// The pair lines are found by their text, in the order the run wrote them.
void EvidenceWindows::findPairRows(int end) {
  for (; rowsSearched_ < end && pairRows_.size() < run_->pairs.size(); ++rowsSearched_) {
    if (reportLines_->line(rowsSearched_) != nextPairLine_) continue;
    pairRows_.push_back(rowsSearched_);
    if (pairRows_.size() < run_->pairs.size()) nextPairLine_ = shownPairLine(*run_, pairRows_.size());
  }
  if (pairRows_.size() == run_->pairs.size()) rowsSearched_ = std::max(rowsSearched_, end);
}

std::optional<std::size_t> EvidenceWindows::pairAtReportRow(int row) {
  if (row < 0 || !reportLines_) return std::nullopt;
  // A row not gone through yet is gone through now.
  while (reportLines_->lineCount() <= row && reportLines_->indexMore(kSliceBytes)) {
  }
  findPairRows(std::min(row + 1, reportLines_->lineCount()));
  const auto at = std::lower_bound(pairRows_.begin(), pairRows_.end(), row);
  if (at == pairRows_.end() || *at != row) return std::nullopt;
  return static_cast<std::size_t>(at - pairRows_.begin());
}

void EvidenceWindows::choosePair() {
  if (!run_ || run_->pairs.empty()) return;
  if (const auto chosen = dialogs_.choosePair(&frame_, *run_)) openPair(*chosen);
}

void EvidenceWindows::exportTable() {
  if (!run_) return;
  const auto path = dialogs_.saveFileOfType(&frame_, tr("Export Table"), QDir::current().filePath("pairs.csv"),
                                            {tr("CSV table (*.csv)")}, pairTableRefusal);
  if (!path) return;
  if (const auto why = writePairTable(*path, *run_))
    dialogs_.messageBox(&frame_, *why, tr("Export Table"), Dialogs::Icon::Warning);
}

QRect EvidenceWindows::childGeometry(int index, QSize wanted) const {
  const QRect room = frame_.mdiArea()->viewport()->rect();
  const int step = 24 * (index % 6);
  const QSize size(std::min(wanted.width(), std::max(200, room.width() - step)),
                   std::min(wanted.height(), std::max(200, room.height() - step)));
  return QRect(QPoint(step, step), size);
}

PairWindow* EvidenceWindows::openPair(std::size_t index) {
  if (!run_ || index >= run_->pairs.size()) return nullptr;
  const auto open = pairWindows_.find(index);
  if (open != pairWindows_.end() && open->second) {
    frame_.mdiArea()->setActiveSubWindow(open->second);
    open->second->showNormal();
    return qobject_cast<PairWindow*>(open->second->widget());
  }
  const match::RunPair& pair = run_->pairs[index];
  auto* window = new PairWindow(run_->firstOf(pair), run_->secondOf(pair), run_->withDated,
                                {run_->undatedFile, run_->datedFile}, dialogs_);
  QMdiSubWindow* sub = frame_.mdiArea()->addSubWindow(window);
  sub->setGeometry(childGeometry(opened_++, QSize(900, 640)));
  pairWindows_[index] = sub;
  sub->show();
  frame_.mdiArea()->setActiveSubWindow(sub);
  window->setFocus();
  return window;
}

}  // namespace veska::window
