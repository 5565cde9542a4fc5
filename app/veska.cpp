// veska: the crossdating run in its windowed console.
#include <QApplication>

#include "hosts/window/host.h"
#include "hosts/window/qt_dialogs.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  // The frame's Exit sequence decides when the program ends, not the last window.
  QApplication::setQuitOnLastWindowClosed(false);
  veska::window::QtDialogs dialogs;
  veska::window::Host host(dialogs);
  return host.run();
}
