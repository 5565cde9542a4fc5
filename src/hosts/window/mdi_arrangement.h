// The Window menu's arrangements that QMdiArea has no call for: tiling in
// one direction and lining up minimised windows.
#pragma once

#include <Qt>

class QMdiArea;

namespace veska::window {

// Qt::Vertical: side by side, each window as tall as the area;
// Qt::Horizontal: one above the other, each as wide as the area.
// Minimised windows stay where they are.
void tileSubWindows(QMdiArea& area, Qt::Orientation orientation);

// Minimised windows in a row along the bottom edge, from the left.
void arrangeIcons(QMdiArea& area);

}  // namespace veska::window
