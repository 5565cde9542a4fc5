// Which of the veska frames open on this desktop this one is: the first free
// of a few lock files in the session's runtime folder ($XDG_RUNTIME_DIR/veska),
// held while the program runs. A
// lock left by a program that died is taken over (QLockFile knows a dead
// owner), so a crash never pushes later frames aside for good.
#pragma once

#include <memory>

class QLockFile;
class QWidget;

namespace veska::window {

class FrameSlot {
 public:
  FrameSlot();
  ~FrameSlot();
  FrameSlot(const FrameSlot&) = delete;
  FrameSlot& operator=(const FrameSlot&) = delete;

  // How many frames opened before this one are still open (0 for the first).
  int earlierFrames() const { return index_; }

 private:
  std::unique_ptr<QLockFile> lock_;
  int index_ = 0;
};

// A frame that is not the first moves aside by the frames before it (and,
// when it was to open maximised, opens at its normal size instead, which
// can move), so that it never opens exactly over another.
void placeBesideEarlierFrames(QWidget& frame, int earlierFrames);

}  // namespace veska::window
