// The program's own icons, drawn at start-up: tree rings for the frame, a
// page of text for a text window.
#pragma once

#include <QIcon>

namespace veska::window {

QIcon frameIcon();
QIcon textWindowIcon();

}  // namespace veska::window
