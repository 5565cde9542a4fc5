// Scroll positions and ranges of a text window, counted in lines (vertical)
// and columns (horizontal). The widget mirrors them in its scroll bars.
#pragma once

namespace veska::window {

// What the user or the window itself asks of a scroll bar.
enum class ScrollRequest {
  LineBack,       // one line up / one column left
  LineForward,    // one line down / one column right
  PageBack,
  PageForward,
  ThumbPosition,  // thumb released at a position
  ThumbTrack,     // thumb being dragged
  ToStart,        // top / left edge
  ToEnd,          // bottom (the vertical bar only)
};

class ScrollState {
 public:
  void setVisible(int rows, int columns) {
    visibleRows_ = rows;
    visibleColumns_ = columns;
  }
  // Ranges from the text's extent; positions clamped into them.
  void update(int lineCount, int widestLine);
  // Each returns whether the position moved.
  bool scrollVertical(ScrollRequest request, int thumb);
  bool scrollHorizontal(ScrollRequest request, int thumb);
  // One line further down ahead of a range update, as a line end does.
  void advanceVertical() { ++verticalPosition_; }

  int visibleRows() const { return visibleRows_; }
  int visibleColumns() const { return visibleColumns_; }
  int verticalPosition() const { return verticalPosition_; }
  int verticalRange() const { return verticalRange_; }
  int horizontalPosition() const { return horizontalPosition_; }
  int horizontalRange() const { return horizontalRange_; }

 private:
  int visibleRows_ = 0;
  int visibleColumns_ = 0;
  int verticalPosition_ = 0;
  int verticalRange_ = 0;
  int horizontalPosition_ = 0;
  int horizontalRange_ = 0;
};

}  // namespace veska::window
