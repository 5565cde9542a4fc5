// A file dropped on the frame answers the file-name prompt the run waits at,
// as if its path had been typed behind the prompt and Enter pressed. A drop
// at any other moment, of several files, of a folder or of anything that is
// not a local file is refused, and the frame's status bar says why. A drop is
// only ever taken as a copy: a file manager told that its file was moved may
// delete it.
#pragma once

#include <QObject>
#include <QString>

class QDropEvent;
class QMainWindow;

namespace veska::window {

class TextWindow;
class TextWindowModel;
class UnitWindowTable;

// The window waits for the answer to the data-file prompt, and nothing has
// been typed behind it yet.
bool waitsForFileName(const TextWindowModel& model);

// Types the path and Enter into the waiting console window, and remembers the
// file's folder for the chooser. A path that holds a line end cannot be
// typed as one answer: nothing is typed, and false is returned.
bool typeFileName(TextWindow& console, const QString& path);

class FileDrop : public QObject {
  Q_OBJECT

 public:
  // Watches `frame` (and becomes its child); the answer goes to the console
  // window of `units`.
  FileDrop(QMainWindow& frame, UnitWindowTable& units);

  // How long a refusal stays in the status bar.
  static constexpr int kMessageMilliseconds = 5000;

  // Lets every drag in, and handles a drop on the frame.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void drop(QDropEvent& event);
  // Why the drop cannot answer; empty when it can.
  QString refusal(const QDropEvent& event) const;

  QMainWindow& frame_;
  UnitWindowTable& units_;
};

}  // namespace veska::window
