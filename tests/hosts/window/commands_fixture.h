// A text window with its commands, answered by FakeDialogs, in a fresh
// working directory.
#pragma once

#include <string>

#include <QApplication>
#include <QTest>

#include "hosts/window/text_commands.h"
#include "hosts/window/text_window.h"
#include "hosts/window/fake_dialogs.h"
#include "support/test_support.h"

namespace veska::test {

class CommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window.setWindowTitle(QStringLiteral("Input/Output"));
    commands = window::TextCommands::attach(window, dialogs, savePath);
    window.resize(600, 300);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  }

  QString pathOf(const std::string& name) const { return QString::fromStdString(dir.file(name).string()); }
  // Selects columns [start, end) of `row` as a drag of the mouse would.
  void select(int row, int start, int end) {
    window::TextWindowModel& model = window.model();
    model.mousePress();
    for (const int column : {start, end}) model.mouseMove(model.cellX(column) + 1, model.cellY(row) + 1, true);
    model.mouseRelease();
    window.refresh();
  }

  TempDir dir;
  FakeDialogs dialogs;
  std::string savePath;
  window::TextWindow window;
  window::TextCommands* commands = nullptr;
};

}  // namespace veska::test
