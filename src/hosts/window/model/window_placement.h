// Where the host puts its windows: the Input/Output window and the report
// window inside the frame's client area, and a frame opened while other veska
// frames are open. Plain arithmetic on boxes, so that tests drive it directly.
#pragma once

namespace veska::window {

struct Box {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;

  bool operator==(const Box&) const = default;
};

// The Input/Output window in a client area of room x room: 600 x 300 at
// (15, 15) in the default frame or a smaller one; in a larger frame three
// quarters of its width and the upper half of its height.
Box inputOutputBox(int roomWidth, int roomHeight);

// The report window below the Input/Output window, as wide as it (at least
// 760 where the room allows), down to the client area's bottom.
Box reportBox(int roomWidth, int roomHeight);

// A frame opened while `earlier` other frames are open moves 40 pixels right
// and down per frame, so that none hides another; where that would take it
// past the screen's right or bottom edge it is made smaller instead (to no
// less than 200 pixels a side).
Box frameBesideOthers(Box frame, Box screen, int earlier);

}  // namespace veska::window
