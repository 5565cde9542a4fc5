#include "hosts/window/file_drop.h"

#include <string_view>

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMainWindow>
#include <QMimeData>
#include <QStatusBar>
#include <QUrl>

#include "hosts/window/desktop_settings.h"
#include "hosts/window/text_window.h"
#include "hosts/window/unit_window_table.h"

namespace veska::window {
namespace {

// The data-file prompt, as the dialogue writes it at the start of its line.
constexpr std::u32string_view kFileNamePrompt = U" File name (/ to exit)";

}  // namespace

bool waitsForFileName(const TextWindowModel& model) {
  if (!model.waiting() || model.lines().empty()) return false;
  const std::u32string& line = model.lines().back();
  const auto start = static_cast<std::size_t>(model.inputStartColumn());
  // Something typed already would run into the path; the user clears it first.
  if (line.size() != start || model.caretColumn() != model.inputStartColumn()) return false;
  return std::u32string_view(line).substr(0, start).starts_with(kFileNamePrompt);
}

bool typeFileName(TextWindow& console, const QString& path) {
  if (path.contains(QLatin1Char('\n')) || path.contains(QLatin1Char('\r'))) return false;
  desktop_settings::rememberDataFile(path);
  std::u32string typed = path.toStdU32String();
  typed.push_back(TextWindowModel::kLineEnd);
  console.typeCharacters(typed);
  return true;
}

FileDrop::FileDrop(QMainWindow& frame, UnitWindowTable& units) : QObject(&frame), frame_(frame), units_(units) {
  frame.setAcceptDrops(true);
  frame.installEventFilter(this);
}

bool FileDrop::eventFilter(QObject* watched, QEvent* event) {
  if (watched != &frame_) return false;
  switch (event->type()) {
    // Every drag is let in, so that a drop that cannot answer still reaches
    // the frame and can say why; one that can is shown as a copy.
    case QEvent::DragEnter:
    case QEvent::DragMove: {
      auto* drag = static_cast<QDragMoveEvent*>(event);
      if (drag->possibleActions() & Qt::CopyAction) {
        drag->setDropAction(Qt::CopyAction);
        drag->accept();
      } else {
        drag->acceptProposedAction();
      }
      return true;
    }
    case QEvent::Drop:
      drop(*static_cast<QDropEvent*>(event));
      return true;
    default: return false;
  }
}

QString FileDrop::refusal(const QDropEvent& event) const {
  const QList<QUrl> urls = event.mimeData() ? event.mimeData()->urls() : QList<QUrl>();
  if (urls.size() > 1) return tr("Drop one file at a time.");
  if (urls.isEmpty() || !urls.first().isLocalFile()) return tr("Only a file on this computer can be dropped.");
  if (QFileInfo(urls.first().toLocalFile()).isDir()) return tr("A folder cannot be read; drop a data file.");
  // A drop accepted as a move tells the file manager to delete the file.
  if (!(event.possibleActions() & Qt::CopyAction)) return tr("veska only reads a dropped file: drag it as a copy.");
  const TextWindow* console = units_.windowFor(kConsoleUnit);
  if (!console || !waitsForFileName(console->model())) {
    return tr("A file can be dropped only while veska asks for a file name, with nothing typed behind the prompt.");
  }
  return {};
}

void FileDrop::drop(QDropEvent& event) {
  const QString why = refusal(event);
  if (!why.isEmpty()) {
    event.ignore();
    frame_.statusBar()->showMessage(why, kMessageMilliseconds);
    return;
  }
  // Whatever the drag proposed (Shift asks for a move), the file manager is
  // told that the file was copied, so it leaves the user's file in place.
  event.setDropAction(Qt::CopyAction);
  event.accept();
  frame_.statusBar()->clearMessage();
  typeFileName(*units_.windowFor(kConsoleUnit), event.mimeData()->urls().first().toLocalFile());
}

}  // namespace veska::window
