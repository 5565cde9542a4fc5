#include "hosts/window/model/window_placement.h"

#include <algorithm>

namespace veska::window {
namespace {

constexpr int kMargin = 15;
constexpr Box kDefaultInputOutput{kMargin, kMargin, 600, 300};
constexpr int kReportMinWidth = 300;
constexpr int kReportWidth = 760;
constexpr int kReportMinHeight = 150;
constexpr int kFrameStep = 40;
constexpr int kMinFrame = 200;

}  // namespace

Box inputOutputBox(int roomWidth, int roomHeight) {
  Box box = kDefaultInputOutput;
  box.width = std::max(box.width, std::min(roomWidth - 2 * kMargin, roomWidth * 3 / 4));
  box.height = std::max(box.height, std::min(roomHeight - 2 * kMargin, roomHeight / 2 - kMargin));
  return box;
}

Box reportBox(int roomWidth, int roomHeight) {
  const Box above = inputOutputBox(roomWidth, roomHeight);
  Box box;
  box.x = kMargin;
  box.y = std::min(above.y + above.height + kMargin, std::max(0, roomHeight - kReportMinHeight));
  box.width = std::max(kReportMinWidth, std::min(std::max(kReportWidth, above.width), roomWidth - 2 * kMargin));
  box.height = std::max(kReportMinHeight, roomHeight - box.y - 10);
  return box;
}

Box frameBesideOthers(Box frame, Box screen, int earlier) {
  if (earlier <= 0) return frame;
  // Never below the screen's top left, and never past its far edges: a frame
  // too large to move right or down whole gives up some of its size.
  frame.x = std::max(frame.x, screen.x) + kFrameStep * earlier;
  frame.y = std::max(frame.y, screen.y) + kFrameStep * earlier;
  frame.width = std::max(kMinFrame, std::min(frame.width, screen.x + screen.width - frame.x));
  frame.height = std::max(kMinFrame, std::min(frame.height, screen.y + screen.height - frame.y));
  return frame;
}

}  // namespace veska::window
