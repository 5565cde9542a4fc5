#include "hosts/window/host_state.h"

#include "hosts/window/text_window.h"

namespace veska::window {

void HostState::requestQuit(int code) {
  if (quitCode_) return;
  quitCode_ = code;
  Q_EMIT quitRequested();
}

void HostState::windowOpened(TextWindow* window) { open_.append(window); }

void HostState::windowClosed(TextWindow* window) { open_.removeAll(window); }

QList<TextWindow*> HostState::openWindows() const {
  QList<TextWindow*> windows;
  for (const QPointer<TextWindow>& window : open_) {
    if (window) windows.append(window);
  }
  return windows;
}

}  // namespace veska::window
