// A text window with its commands, answered by FakeDialogs, in a fresh
// working directory.
#pragma once

#include <string>

#include <QApplication>
#include <QTest>

#include "console/host/text_commands.h"
#include "console/host/text_window.h"
#include "host/fake_dialogs.h"
#include "support/test_support.h"

namespace veska::test {

class CommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window.setWindowTitle(QStringLiteral("Input/Output"));
    commands = host::TextCommands::attach(window, dialogs, savePath);
    window.resize(600, 300);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  }

  void run(int id) { EXPECT_TRUE(window.command(id)); }
  QString pathOf(const std::string& name) const { return QString::fromStdString(dir.file(name).string()); }
  // Selects columns [start, end) of `row` as a drag of the mouse would.
  void select(int row, int start, int end) {
    host::TextWindowModel& model = window.model();
    model.mousePress();
    for (const int column : {start, end}) model.mouseMove(model.cellX(column) + 1, model.cellY(row) + 1, true);
    model.mouseRelease();
    window.refresh();
  }

  TempDir dir;
  FakeDialogs dialogs;
  std::string savePath;
  host::TextWindow window;
  host::TextCommands* commands = nullptr;
};

}  // namespace veska::test
