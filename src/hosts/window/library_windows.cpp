#include "hosts/window/library_windows.h"

#include <algorithm>
#include <filesystem>

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProgressDialog>

#include "hosts/window/frame_window.h"
#include "hosts/window/library_window.h"
#include "hosts/window/pair_window.h"

namespace veska::window {
namespace {

// How often the progress box looks at the search: often enough to move
// smoothly, rarely enough to cost the search nothing.
constexpr int kPollMilliseconds = 100;

QString progressText(const library::LibraryJob::Progress& p) {
  using Stage = library::LibraryJob::Stage;
  switch (p.stage) {
    case Stage::ReadingLibrary:
      return LibraryWindows::tr("Reading the library: file %1 of %2").arg(p.done).arg(p.total);
    case Stage::Searching:
      return LibraryWindows::tr("Searching the library: reference %1 of %2").arg(p.done).arg(p.total);
    case Stage::ReadingUndated:
    case Stage::Finished:
      break;
  }
  return LibraryWindows::tr("Reading the undated series");
}

// Each new window a step further down and to the right, as big as wanted
// where the frame has room.
void place(QMdiSubWindow& sub, const QMdiArea& area, int index, QSize wanted) {
  const QRect room = area.viewport()->rect();
  const int step = 24 * (index % 6);
  sub.setGeometry(step, step, std::min(wanted.width(), std::max(300, room.width() - step)),
                  std::min(wanted.height(), std::max(240, room.height() - step)));
}

}  // namespace

LibraryWindows::LibraryWindows(FrameWindow& frame, Dialogs& dialogs) : frame_(frame), dialogs_(dialogs) {
  connect(&frame_, &FrameWindow::libraryRequested, this, &LibraryWindows::dateAgainstLibrary);
  poller_.setInterval(kPollMilliseconds);
  connect(&poller_, &QTimer::timeout, this, &LibraryWindows::poll);
}

// The job's own destructor stops the search and waits for its thread.
LibraryWindows::~LibraryWindows() = default;

LibraryWindow* LibraryWindows::lastWindow() const { return last_; }

void LibraryWindows::dateAgainstLibrary() {
  if (searching()) {
    if (progress_) progress_->raise();
    return;
  }
  for (;;) {
    const auto choice = dialogs_.chooseLibrarySearch(&frame_, lastChoice_);
    if (!choice) return;
    lastChoice_ = *choice;
    if (start(*choice)) return;
  }
}

bool LibraryWindows::start(const LibraryChoice& choice) {
  if (searching()) return false;
  const auto filter = library::SpeciesFilter::parse(choice.species.toStdString());
  if (!filter) {
    dialogs_.messageBox(&frame_,
                        tr("Species are codes of four letters (QUSP) or genera of two (QU), separated by commas: "
                           "\"%1\" is neither.")
                            .arg(choice.species),
                        tr("Date Against Library"), Dialogs::Icon::Warning);
    return false;
  }
  const auto variable = library::parseVariable(choice.variable.toStdString());
  job_ = std::make_unique<library::LibraryJob>(library::LibraryJobRequest{
      choice.folder.toStdString(), choice.undated.toStdString(), *filter,
      variable.value_or(library::MeasuredVariable::RingWidth)});
  searchedUndated_ = choice.undated.toStdString();
  progress_ = new QProgressDialog(progressText({}), tr("Stop"), 0, 0, &frame_);
  progress_->setWindowTitle(tr("Date Against Library"));
  progress_->setWindowModality(Qt::NonModal);
  progress_->setMinimumDuration(0);
  progress_->setAttribute(Qt::WA_DeleteOnClose);
  connect(progress_, &QProgressDialog::canceled, this, [this] {
    if (job_) job_->stop();
  });
  progress_->show();
  poller_.start();
  return true;
}

void LibraryWindows::poll() {
  if (!job_) return;
  if (job_->finished()) {
    finish();
    return;
  }
  const library::LibraryJob::Progress p = job_->progress();
  if (!progress_) return;
  progress_->setLabelText(progressText(p));
  progress_->setMaximum(static_cast<int>(p.total));
  progress_->setValue(static_cast<int>(p.done));
}

void LibraryWindows::finish() {
  poller_.stop();
  if (progress_) progress_->close();
  const library::LibraryJobResult result = job_->result();
  job_.reset();
  if (result.stopped) return;
  if (!result.problem.empty()) {
    dialogs_.messageBox(&frame_, QString::fromStdString(result.problem), tr("Date Against Library"),
                        Dialogs::Icon::Warning);
    return;
  }
  showResult(result);
}

void LibraryWindows::showResult(const library::LibraryJobResult& result) {
  auto* window = new LibraryWindow(result.library, result.run, dialogs_);
  QMdiSubWindow* sub = frame_.mdiArea()->addSubWindow(window);
  sub->setAttribute(Qt::WA_DeleteOnClose);
  place(*sub, *frame_.mdiArea(), opened_++, QSize(1100, 700));
  connect(window, &LibraryWindow::pairRequested, this,
          [this, window](int series, std::size_t reference) { openPair(*window, series, reference); });
  // Its pairs are its own: another window made later at its address must
  // not find them.
  std::vector<std::string>& files = readFiles_[window];
  files.push_back(searchedUndated_);
  for (const library::Reference& reference : result.library->references) {
    // "abetone.crn:ITAL00" is one chronology of abetone.crn.
    const std::string file = reference.name.substr(0, reference.name.find(':'));
    files.push_back((std::filesystem::path(result.library->folder) / file).string());
  }
  std::sort(files.begin(), files.end());
  files.erase(std::unique(files.begin(), files.end()), files.end());
  connect(window, &QObject::destroyed, this, [this, window] {
    std::erase_if(pairs_, [window](const auto& entry) { return std::get<0>(entry.first) == window; });
    readFiles_.erase(window);
  });
  sub->show();
  frame_.mdiArea()->setActiveSubWindow(sub);
  last_ = window;
}

PairWindow* LibraryWindows::openPair(LibraryWindow& window, int series, std::size_t reference) {
  const auto key = std::make_tuple(&window, series, reference);
  if (const auto open = pairs_.find(key); open != pairs_.end() && open->second) {
    frame_.mdiArea()->setActiveSubWindow(open->second);
    open->second->showNormal();
    return qobject_cast<PairWindow*>(open->second->widget());
  }
  auto* pair = new PairWindow(window.referenceSeries(reference), window.undatedSeries(series), true,
                              readFiles_[&window], dialogs_);
  QMdiSubWindow* sub = frame_.mdiArea()->addSubWindow(pair);
  sub->setAttribute(Qt::WA_DeleteOnClose);
  place(*sub, *frame_.mdiArea(), opened_++, QSize(900, 640));
  pairs_[key] = sub;
  sub->show();
  frame_.mdiArea()->setActiveSubWindow(sub);
  pair->setFocus();
  return pair;
}

}  // namespace veska::window
