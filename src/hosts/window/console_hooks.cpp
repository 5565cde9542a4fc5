#include "hosts/window/console_hooks.h"

#include <string>
#include <utility>

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>

#include "hosts/window/desktop_settings.h"
#include "hosts/window/dialogs.h"
#include "hosts/window/file_drop.h"
#include "hosts/window/host_state.h"
#include "hosts/window/text_window.h"
#include "hosts/window/unit_window_table.h"
#include "runtime/runtime.h"
#include "records/text.h"

namespace veska::window {
namespace {

// The quit code of a host that stops on an error (the process exits with 255).
constexpr int kQuitOnError = -1;
constexpr std::size_t kSystemErrorLength = 100;
// A screen shows about 60 frames a second: draining events more often than
// this while output streams only repaints what nobody can see, and cost the
// window most of its time.
constexpr qint64 kFrameMilliseconds = 16;

}  // namespace

ConsoleHooks::ConsoleHooks(HostState& state, UnitWindowTable& units, Dialogs& dialogs)
    : state_(state), units_(units), dialogs_(dialogs) {}

void ConsoleHooks::yield() { serviceWindows(); }

// Pending events, the repaints of the output written since the last drain
// among them, are handled at most once a frame; a read, the final wait and
// any dialog run their own loops and so drain at once.
void ConsoleHooks::serviceWindows() {
  if (lastServiced_.isValid() && lastServiced_.elapsed() < kFrameMilliseconds) return;
  QCoreApplication::processEvents();
  lastServiced_.start();
}

bool ConsoleHooks::write(std::string_view bytes) {
  TextWindow* window = units_.windowFor(kConsoleUnit);
  if (!window) {
    state_.requestQuit(kQuitOnError);
    return false;
  }
  window->appendOutput(bytes);
  serviceWindows();
  return true;
}

std::optional<std::string> ConsoleHooks::readLine(std::size_t capacity) {
  if (state_.quitCode() || reading_) return std::nullopt;
  TextWindow* window = units_.windowFor(kConsoleUnit);
  if (!window) {
    windowHandleError();
    return std::nullopt;
  }
  waitForLine(*window);
  // Quitting (Exit chosen, the frame closed) ends the run with the quit
  // code; a window closed while the read waited is an error.
  if (state_.quitCode()) return std::nullopt;
  window = units_.windowFor(kConsoleUnit);
  if (!window) {
    windowHandleError();
    return std::nullopt;
  }
  std::string answer = window->model().takeInput(capacity + 2);
  answer.resize(answer.size() - 2);  // the CR LF that ended it
  return answer;
}

void ConsoleHooks::waitForLine(TextWindow& window) {
  QPointer<TextWindow> guard(&window);
  window.beginRead();
  // Only the very first read can take the file named at the start.
  const QString firstFile = std::exchange(firstFile_, QString());
  if (!firstFile.isEmpty() && waitsForFileName(window.model()) && typeFileName(window, firstFile)) return;
  QEventLoop loop;
  const auto done = [&] { return !guard || guard->isClosed() || !guard->model().waiting() || state_.quitCode(); };
  QObject::connect(&window, &TextWindow::stateChanged, &loop, [&] {
    if (done()) loop.quit();
  });
  QObject::connect(&window, &TextWindow::closed, &loop, &QEventLoop::quit);
  QObject::connect(&window, &QObject::destroyed, &loop, &QEventLoop::quit);
  QObject::connect(&state_, &HostState::quitRequested, &loop, &QEventLoop::quit);
  reading_ = true;
  state_.announceReadWaiting();
  if (!done()) loop.exec(QEventLoop::DialogExec);
  reading_ = false;
}

void ConsoleHooks::terminate(int /*status*/) {
  if (state_.finalWait) return;  // only the first call waits
  state_.finalWait = true;
  state_.announceRunFinished();
  if (state_.quitCode()) return;
  QEventLoop loop;
  QObject::connect(&state_, &HostState::quitRequested, &loop, &QEventLoop::quit);
  QObject::connect(&state_, &HostState::newRunRequested, &loop, &QEventLoop::quit);
  state_.announceFinalWait();
  if (!state_.quitCode()) loop.exec();
}

// Said in the user's terms: nothing is wrong with this run or the system,
// another run simply holds the report.
void ConsoleHooks::reportInUse(std::string_view /*message*/) {
  write("error code = " + std::to_string(runtime::kExitIoFailure) + "\r\n");
  dialogs_.messageBox(owner_,
                      tr("Another veska run is writing VESKA.OUT in this folder. Wait for it to end, or start "
                         "veska in another folder."),
                      tr("veska"), Dialogs::Icon::Warning);
  state_.requestQuit(kQuitOnError);
}

// The chosen path is shown behind the prompt as if it had been typed, so the
// window's text (and a saved transcript) says which file was read, as a
// piped veska-console run that was given the path does.
// The chooser opens where the last data file was found, chosen or dropped,
// in this run or an earlier one; the first time, where VESKA.OUT will be
// written.
std::optional<std::string> ConsoleHooks::chooseFileForEmptyName() {
  QString start = desktop_settings::dataFolder();
  if (start.isEmpty()) start = QDir::currentPath();
  const QStringList filters = {tr("Tree-ring files (*.rwl *.crn *.raw *.fh *.csv *.txt *.dat *.xml *.d *.cat *.CAT)"),
                               tr("All Files (*)")};
  const std::optional<QString> path = dialogs_.openFileName(owner_, start, filters);
  if (!path || path->isEmpty()) return std::nullopt;
  desktop_settings::rememberDataFile(*path);
  if (TextWindow* window = units_.windowFor(kConsoleUnit)) window->showAnswer(path->toStdU32String());
  return path->toStdString();
}

void ConsoleHooks::windowHandleError() {
  dialogs_.messageBox(owner_, tr("Not a valid window, program exited."), tr("Window Handler Error"),
                      Dialogs::Icon::Error);
  state_.requestQuit(kQuitOnError);
}

// The System Error box: the message quoted, the code on the console, then a
// quit; the run's end follows.
void ConsoleHooks::fatalError(std::string_view message) {
  const QString full = tr("System Error found! \"%1\", program stop").arg(QString::fromUtf8(message));
  std::u32string text = full.toStdU32String();
  if (text.size() > kSystemErrorLength) text.resize(kSystemErrorLength);
  write("error code = " + std::to_string(runtime::kExitIoFailure) + "\r\n");
  dialogs_.messageBox(owner_, QString::fromStdU32String(text), tr("System Error"), Dialogs::Icon::Error);
  state_.requestQuit(kQuitOnError);
}

std::optional<int> ConsoleHooks::quitStatus() const { return state_.quitCode(); }

}  // namespace veska::window
