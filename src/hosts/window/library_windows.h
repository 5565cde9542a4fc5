// File > Date Against Library...: the dialog, the search on a thread of its
// own with a progress box that can stop it (the frame and a run in the
// Input/Output window go on meanwhile), then the result window in the frame,
// and a pair window for each row double-clicked there. The host owns it.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include <QObject>
#include <QPointer>
#include <QTimer>

#include "hosts/window/dialogs.h"
#include "library/library_job.h"

class QMdiSubWindow;
class QProgressDialog;

namespace veska::window {

class FrameWindow;
class LibraryWindow;
class PairWindow;

class LibraryWindows : public QObject {
  Q_OBJECT

 public:
  LibraryWindows(FrameWindow& frame, Dialogs& dialogs);
  ~LibraryWindows() override;

  // Starts the search the choice names, unless one is under way; false, after
  // a box saying why, when its species cannot be read.
  bool start(const LibraryChoice& choice);
  bool searching() const { return job_ != nullptr; }
  // The result window opened last, while it is open.
  LibraryWindow* lastWindow() const;
  // The pair window of a result window's row: the reference first, as a
  // dated series, then the undated series; opened or brought to the front.
  PairWindow* openPair(LibraryWindow& window, int series, std::size_t reference);

 public Q_SLOTS:
  // File > Date Against Library...: asks until the choice can be started or
  // is cancelled; while a search is under way, shows its progress instead.
  void dateAgainstLibrary();

 private:
  void poll();
  void finish();
  void showResult(const library::LibraryJobResult& result);

  FrameWindow& frame_;
  Dialogs& dialogs_;
  LibraryChoice lastChoice_;
  std::unique_ptr<library::LibraryJob> job_;
  QPointer<QProgressDialog> progress_;
  QTimer poller_;
  QPointer<LibraryWindow> last_;
  std::string searchedUndated_;  // the undated file of the search under way
  // Each result window's files, which a series saved from its pairs never
  // replaces: the undated file and every reference file.
  std::map<const LibraryWindow*, std::vector<std::string>> readFiles_;
  std::map<std::tuple<const LibraryWindow*, int, std::size_t>, QPointer<QMdiSubWindow>> pairs_;
  int opened_ = 0;
};

}  // namespace veska::window
