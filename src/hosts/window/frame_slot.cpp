#include "hosts/window/frame_slot.h"

#include <QDir>
#include <QGuiApplication>
#include <QLockFile>
#include <QScreen>
#include <QStandardPaths>
#include <QWidget>

#include "hosts/window/model/window_placement.h"

namespace veska::window {
namespace {

// More frames than this at once share the last place.
constexpr int kSlots = 8;

Box boxOf(const QRect& r) { return Box{r.x(), r.y(), r.width(), r.height()}; }

}  // namespace

FrameSlot::FrameSlot() {
  // The session's runtime folder: emptied at logout, private to the user.
  const QString folder = QDir(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation))
                             .filePath(QStringLiteral("veska"));
  QDir().mkpath(folder);
  for (int k = 0; k < kSlots; ++k) {
    auto lock = std::make_unique<QLockFile>(QDir(folder).filePath(QStringLiteral("frame-%1.lock").arg(k)));
    if (lock->tryLock(0)) {
      lock_ = std::move(lock);
      index_ = k;
      return;
    }
    index_ = k;
  }
}

FrameSlot::~FrameSlot() = default;

void placeBesideEarlierFrames(QWidget& frame, int earlierFrames) {
  if (earlierFrames <= 0) return;
  const QRect normal = frame.isMaximized() || frame.isFullScreen() ? frame.normalGeometry() : frame.geometry();
  frame.setWindowState(frame.windowState() & ~(Qt::WindowMaximized | Qt::WindowFullScreen));
  const QScreen* screen = frame.screen() ? frame.screen() : QGuiApplication::primaryScreen();
  const Box screenBox = screen ? boxOf(screen->availableGeometry()) : Box{0, 0, normal.right() + 1, normal.bottom() + 1};
  const Box placed = frameBesideOthers(boxOf(normal), screenBox, earlierFrames);
  frame.setGeometry(placed.x, placed.y, placed.width, placed.height);
}

}  // namespace veska::window
