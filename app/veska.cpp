// veska: the crossdating run in its windowed console.
#include <QApplication>

#include "command_line.h"
#include "hosts/window/host.h"
#include "hosts/window/qt_dialogs.h"
#include "runtime/stop_signals.h"

namespace {

constexpr veska::app::ProgramText kProgram{
    "veska",
    "Crossdates tree-ring series in a window. The dialogue runs in the\n"
    "Input/Output window, where each answer is typed behind its \"==>\" prompt:\n"
    "a file of undated series, ring widths (M) or indices (I), and whether a\n"
    "file of dated series follows. The three best placements of every pair are\n"
    "written to VESKA.OUT in the directory veska is started from; the window's\n"
    "text can then be saved, printed or copied. Arguments other than Qt's own\n"
    "options (such as -platform) are ignored."};

}  // namespace

int main(int argc, char* argv[]) {
  // Answered before any window exists, so that it works without a display.
  if (const auto status = veska::app::answerInfoOption(kProgram, argc, argv, stdout)) return *status;
  // A file-size limit fails the report's write, which the run reports,
  // rather than killing the program without a word.
  veska::runtime::ignoreFileSizeSignal();
  QApplication app(argc, argv);
  // Ties the windows to the menu entry and its icon on desktops that match by it.
  QGuiApplication::setDesktopFileName(QStringLiteral("veska"));
  // The frame's Exit sequence decides when the program ends, not the last window.
  QApplication::setQuitOnLastWindowClosed(false);
  veska::window::QtDialogs dialogs;
  veska::window::Host host(dialogs);
  return host.run();
}
