// The console as the run sees it in the windowed host: output goes to the
// Input/Output window, answers are typed there. The windows are serviced
// only inside these hooks: a drain of pending events at the start of an I/O
// statement and after a write, at most once a screen frame while output
// streams, and a nested event loop while a read waits for its line, as
// QDialog::exec() waits for its answer.
#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QString>
#include <QWidget>

#include "runtime/console.h"

namespace veska::window {

class Dialogs;
class HostState;
class TextWindow;
class UnitWindowTable;

class ConsoleHooks : public runtime::Console {
  Q_DECLARE_TR_FUNCTIONS(ConsoleHooks)

 public:
  ConsoleHooks(HostState& state, UnitWindowTable& units, Dialogs& dialogs);

  // The window that owns the host's dialogs and message boxes.
  void setDialogOwner(QWidget* owner) { owner_ = owner; }
  // The file named when veska was started: it answers the first read when
  // that read is the data-file prompt, as if typed (veska FILE).
  void answerFirstFilePrompt(const QString& path) { firstFile_ = path; }

  bool write(std::string_view bytes) override;
  std::optional<std::string> readLine(std::size_t capacity) override;
  void yield() override;
  void terminate(int status) override;
  std::optional<std::string> chooseFileForEmptyName() override;
  void fatalError(std::string_view message) override;
  std::optional<int> quitStatus() const override;

 private:
  void serviceWindows();
  void waitForLine(TextWindow& window);
  void windowHandleError();

  HostState& state_;
  UnitWindowTable& units_;
  Dialogs& dialogs_;
  QPointer<QWidget> owner_;
  bool reading_ = false;
  QElapsedTimer lastServiced_;
  QString firstFile_;
};

}  // namespace veska::window
