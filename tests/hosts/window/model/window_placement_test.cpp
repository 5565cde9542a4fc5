// Where the windows go: the Input/Output window keeps its 600 x 300 in the
// default frame and takes a real share of a larger one, the report window
// lies below it inside the client area, and a later frame moves aside from
// the earlier ones without leaving the screen.
#include "hosts/window/model/window_placement.h"

#include <gtest/gtest.h>

namespace veska::window {
namespace {

bool inside(const Box& b, int width, int height) {
  return b.x >= 0 && b.y >= 0 && b.x + b.width <= width && b.y + b.height <= height;
}

TEST(WindowPlacement, TheInputOutputWindowTakesAShareOfALargerFrame) {
  // The default frame's client area, then larger ones up to a maximised
  // frame on a large screen.
  const struct {
    int width;
    int height;
  } rooms[] = {{798, 530}, {1000, 700}, {1280, 960}, {1918, 1010}, {3838, 2100}};
  EXPECT_EQ(inputOutputBox(rooms[0].width, rooms[0].height), (Box{15, 15, 600, 300}));
  EXPECT_EQ(reportBox(rooms[0].width, rooms[0].height), (Box{15, 330, 760, 190}));
  for (const auto& room : rooms) {
    SCOPED_TRACE(std::to_string(room.width) + " x " + std::to_string(room.height));
    const Box io = inputOutputBox(room.width, room.height);
    const Box report = reportBox(room.width, room.height);
    EXPECT_TRUE(inside(io, room.width, room.height));
    EXPECT_TRUE(inside(report, room.width, room.height));
    EXPECT_GE(report.y, io.y + io.height);  // below it, not over it
    EXPECT_GE(report.width, io.width);
    // Three quarters of the width and half the height, less the margins.
    EXPECT_GE(io.width * 4, room.width * 3 - 4);
    EXPECT_GE((io.height + 15) * 2, room.height - 1);
  }
}

TEST(WindowPlacement, ASmallerFrameKeepsTheDefaultWindows) {
  EXPECT_EQ(inputOutputBox(400, 250), (Box{15, 15, 600, 300}));
  EXPECT_EQ(reportBox(400, 250), (Box{15, 100, 370, 150}));
}

TEST(WindowPlacement, ALaterFrameMovesAsideAndStaysOnTheScreen) {
  const Box screen{0, 0, 1920, 1050};
  const Box first{100, 80, 900, 700};
  EXPECT_EQ(frameBesideOthers(first, screen, 0), first);
  const Box second = frameBesideOthers(first, screen, 1);
  EXPECT_EQ(second, (Box{140, 120, 900, 700}));
  EXPECT_EQ(frameBesideOthers(first, screen, 2), (Box{180, 160, 900, 700}));
  // A frame as large as the screen moves and gives up what would leave it.
  const Box whole = frameBesideOthers(screen, screen, 1);
  EXPECT_EQ(whole, (Box{40, 40, 1880, 1010}));
  // One placed partly off the screen comes back onto it first.
  EXPECT_EQ(frameBesideOthers(Box{-50, -20, 800, 600}, screen, 1), (Box{40, 40, 800, 600}));
}

}  // namespace
}  // namespace veska::window
