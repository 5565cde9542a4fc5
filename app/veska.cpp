// veska: the crossdating run in its windowed console.
#include <cstdio>
#include <utility>
#include <vector>

#include <QApplication>
#include <QFile>
#include <QString>

#include "command_line.h"
#include "hosts/window/host.h"
#include "hosts/window/qt_dialogs.h"
#include "runtime/stop_signals.h"

namespace {

constexpr veska::app::ProgramText kProgram{
    "veska",
    "veska [FILE]\n"
    "       veska --help | --version",
    "Crossdates tree-ring series in a window. The dialogue runs in the\n"
    "Input/Output window, where each answer is typed behind its \"==>\" prompt:\n"
    "a file of undated series, ring widths (M) or indices (I), and whether a\n"
    "file of dated series follows. The three best placements of every pair are\n"
    "written to VESKA.OUT in the directory veska is started from; the window's\n"
    "text can then be saved, printed or copied. Data files may be decadal,\n"
    "Heidelberg, CSV, TRiDaS, Besancon, Sheffield, CATRAS or NOAA template files,\n"
    "each known by its content.\n\n"
    "FILE, when given, answers the first file prompt, as if typed there (this\n"
    "is how a file manager's \"Open with veska\" starts it); the dialogue goes\n"
    "on from the question of ring widths or indices. Qt's own options (such as\n"
    "-platform) are taken by Qt; any other option is refused with status 4."};

// Qt's notes while it starts (such as "XDG_RUNTIME_DIR not set") are held
// back until the command line has been checked: a refused one is said in its
// one line alone. A fatal message goes out at once, since Qt ends there.
std::vector<std::pair<QtMsgType, QString>> heldMessages;
QtMessageHandler qtHandler = nullptr;

void holdMessage(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (type == QtFatalMsg) qtHandler(type, context, message);
  else heldMessages.emplace_back(type, message);
}

// Qt's own handler again; with `replay`, the held notes go out through it.
void releaseMessages(bool replay) {
  qInstallMessageHandler(qtHandler);
  if (replay)
    for (const auto& [type, message] : heldMessages) qtHandler(type, QMessageLogContext(), message);
  heldMessages.clear();
}

}  // namespace

int main(int argc, char* argv[]) {
  // Answered before any window exists, so that it works without a display.
  if (const auto status = veska::app::answerInfoOption(kProgram, argc, argv, stdout)) return *status;
  // A file-size limit fails the report's write, which the run reports,
  // rather than killing the program without a word.
  veska::runtime::ignoreFileSizeSignal();
  qtHandler = qInstallMessageHandler(holdMessage);
  // Qt takes its own options out of argv here.
  QApplication app(argc, argv);
  const veska::app::WindowArguments arguments = veska::app::parseWindowArguments(argc, argv);
  releaseMessages(arguments.refusal.empty());
  if (!arguments.refusal.empty()) {
    std::fputs(arguments.refusal.c_str(), stderr);
    return veska::app::kExitUsage;
  }
  // Ties the windows to the menu entry and its icon on desktops that match by it.
  QGuiApplication::setDesktopFileName(QStringLiteral("veska"));
  // The frame's Exit sequence decides when the program ends, not the last window.
  QApplication::setQuitOnLastWindowClosed(false);
  veska::window::QtDialogs dialogs;
  veska::window::Host host(dialogs);
  if (arguments.file) host.hooks().answerFirstFilePrompt(QFile::decodeName(arguments.file->c_str()));
  return host.run();
}
