// veska: the crossdating run in its windowed console.
#include <QApplication>

#include "console/host/host.h"
#include "console/host/qt_dialogs.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  // The frame's Exit sequence decides when the program ends, not the last window.
  QApplication::setQuitOnLastWindowClosed(false);
  veska::host::QtDialogs dialogs;
  veska::host::Host host(dialogs);
  return host.run();
}
