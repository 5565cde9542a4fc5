// veska: the crossdating run in its windowed console.
#include <QApplication>

#include "hosts/window/host.h"
#include "hosts/window/qt_dialogs.h"
#include "records/stop_signals.h"

int main(int argc, char* argv[]) {
  // A file-size limit fails the report's write, which the run reports,
  // rather than killing the program without a word.
  veska::records::ignoreFileSizeSignal();
  QApplication app(argc, argv);
  // The frame's Exit sequence decides when the program ends, not the last window.
  QApplication::setQuitOnLastWindowClosed(false);
  veska::window::QtDialogs dialogs;
  veska::window::Host host(dialogs);
  return host.run();
}
