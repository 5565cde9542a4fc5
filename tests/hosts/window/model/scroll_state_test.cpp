// Scroll requests and their clamps.
#include "hosts/window/model/scroll_state.h"

#include <gtest/gtest.h>

namespace veska::test {
namespace {

using window::ScrollRequest;
using window::ScrollState;

// 10 visible rows and 20 columns over 40 lines, the widest 50 columns:
// vertical range 40 - 10 + 2 = 32, horizontal range 50 - 20 = 30.
ScrollState makeState(int vertical, int horizontal) {
  ScrollState state;
  state.setVisible(10, 20);
  state.update(40, 50);
  state.scrollVertical(ScrollRequest::ThumbPosition, vertical);
  state.scrollHorizontal(ScrollRequest::ThumbTrack, horizontal);
  return state;
}

TEST(ScrollState, VerticalRequestsAreClampedToTheRange) {
  struct Row {
    int from;
    ScrollRequest request;
    int thumb;
    int to;
  };
  const Row rows[] = {
      {5, ScrollRequest::LineBack, 0, 4},       {0, ScrollRequest::LineBack, 0, 0},
      {31, ScrollRequest::LineForward, 0, 32},  {32, ScrollRequest::LineForward, 0, 32},
      {15, ScrollRequest::PageBack, 0, 5},      {5, ScrollRequest::PageBack, 0, 0},
      {15, ScrollRequest::PageForward, 0, 25},  {25, ScrollRequest::PageForward, 0, 32},
      {15, ScrollRequest::ThumbPosition, 7, 7}, {15, ScrollRequest::ThumbPosition, 99, 32},
      {15, ScrollRequest::ThumbTrack, 7, 15},   {15, ScrollRequest::ToStart, 0, 0},
      {15, ScrollRequest::ToEnd, 0, 32},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(::testing::Message() << "from " << row.from << " request " << static_cast<int>(row.request));
    ScrollState state = makeState(row.from, 0);
    ASSERT_EQ(state.verticalPosition(), row.from);
    EXPECT_EQ(state.scrollVertical(row.request, row.thumb), row.from != row.to);
    EXPECT_EQ(state.verticalPosition(), row.to);
  }
}

TEST(ScrollState, HorizontalRequestsAreClampedToTheRange) {
  struct Row {
    int from;
    ScrollRequest request;
    int thumb;
    int to;
  };
  const Row rows[] = {
      {5, ScrollRequest::LineBack, 0, 4},       {0, ScrollRequest::LineBack, 0, 0},
      {29, ScrollRequest::LineForward, 0, 30},  {30, ScrollRequest::LineForward, 0, 30},
      {10, ScrollRequest::PageBack, 0, 2},      {5, ScrollRequest::PageBack, 0, 0},
      {10, ScrollRequest::PageForward, 0, 18},  {25, ScrollRequest::PageForward, 0, 30},
      {10, ScrollRequest::ThumbTrack, 3, 3},    {10, ScrollRequest::ThumbPosition, 3, 10},
      {10, ScrollRequest::ToStart, 0, 0},       {10, ScrollRequest::ToEnd, 0, 10},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(::testing::Message() << "from " << row.from << " request " << static_cast<int>(row.request));
    ScrollState state = makeState(0, row.from);
    ASSERT_EQ(state.horizontalPosition(), row.from);
    state.scrollHorizontal(row.request, row.thumb);
    EXPECT_EQ(state.horizontalPosition(), row.to);
  }
}

TEST(ScrollState, ShrinkingTheTextPullsThePositionsBackIntoRange) {
  ScrollState state = makeState(32, 30);
  state.setVisible(30, 45);
  state.update(40, 50);
  EXPECT_EQ(state.verticalRange(), 12);
  EXPECT_EQ(state.verticalPosition(), 12);
  EXPECT_EQ(state.horizontalRange(), 5);
  EXPECT_EQ(state.horizontalPosition(), 5);
  state.setVisible(100, 100);
  state.update(40, 50);
  EXPECT_EQ(state.verticalRange(), 0);
  EXPECT_EQ(state.verticalPosition(), 0);
  EXPECT_EQ(state.horizontalPosition(), 0);
}

TEST(ScrollState, AWindowWithoutRowsStillPagesByOne) {
  ScrollState state;
  state.update(5, 0);  // nothing visible yet: range 7
  state.scrollVertical(ScrollRequest::PageForward, 0);
  EXPECT_EQ(state.verticalPosition(), 1);
  state.scrollVertical(ScrollRequest::PageBack, 0);
  EXPECT_EQ(state.verticalPosition(), 0);
}

}  // namespace
}  // namespace veska::test
