// The host's tests need a QApplication; they never show a window on a
// display: the offscreen platform is used unless another one is asked for.
// What the host remembers between runs is kept in QStandardPaths' test
// location.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include <QApplication>
#include <QStandardPaths>

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // Settings the host keeps go to a test location, never the user's own.
  QStandardPaths::setTestModeEnabled(true);
  // Frames open in other test processes must not move this one's frames
  // aside: the runtime folder, where open frames hold their locks, is this
  // process's own.
  char runtime[] = "/tmp/veska-host-test-XXXXXX";
  if (::mkdtemp(runtime) != nullptr) qputenv("XDG_RUNTIME_DIR", runtime);
  QApplication app(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  ::testing::InitGoogleTest(&argc, argv);
  const int failed = RUN_ALL_TESTS();
  std::filesystem::remove_all(runtime);
  return failed;
}
