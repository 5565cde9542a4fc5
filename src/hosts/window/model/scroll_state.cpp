#include "hosts/window/model/scroll_state.h"

#include <algorithm>

namespace veska::window {
namespace {

// Moves `position` by `delta`, kept within [0, range]; whether it moved.
bool moveWithin(int& position, int range, int delta) {
  delta = std::max(-position, std::min(delta, range - position));
  if (delta == 0) return false;
  position += delta;
  return true;
}

}  // namespace

void ScrollState::update(int lineCount, int widestLine) {
  // Two rows to spare below the last line, so the caret's row shows.
  verticalRange_ = std::max(0, lineCount - visibleRows_ + 2);
  verticalPosition_ = std::min(verticalPosition_, verticalRange_);
  horizontalRange_ = std::max(0, widestLine - visibleColumns_);
  horizontalPosition_ = std::min(horizontalPosition_, horizontalRange_);
}

bool ScrollState::scrollVertical(ScrollRequest request, int thumb) {
  int delta = 0;
  switch (request) {
    case ScrollRequest::LineBack: delta = -1; break;
    case ScrollRequest::LineForward: delta = 1; break;
    case ScrollRequest::PageBack: delta = std::min(-visibleRows_, -1); break;
    case ScrollRequest::PageForward: delta = std::max(visibleRows_, 1); break;
    case ScrollRequest::ThumbPosition: delta = thumb - verticalPosition_; break;
    case ScrollRequest::ToStart: delta = -verticalPosition_; break;
    case ScrollRequest::ToEnd: delta = verticalRange_ - verticalPosition_; break;
    case ScrollRequest::ThumbTrack: break;  // the text follows when the thumb is let go
  }
  return moveWithin(verticalPosition_, verticalRange_, delta);
}

bool ScrollState::scrollHorizontal(ScrollRequest request, int thumb) {
  int delta = 0;
  switch (request) {
    case ScrollRequest::LineBack: delta = -1; break;
    case ScrollRequest::LineForward: delta = 1; break;
    case ScrollRequest::PageBack: delta = -8; break;
    case ScrollRequest::PageForward: delta = 8; break;
    case ScrollRequest::ThumbTrack: delta = thumb - horizontalPosition_; break;
    case ScrollRequest::ToStart: delta = -horizontalPosition_; break;
    case ScrollRequest::ThumbPosition:
    case ScrollRequest::ToEnd: break;
  }
  return moveWithin(horizontalPosition_, horizontalRange_, delta);
}

}  // namespace veska::window
