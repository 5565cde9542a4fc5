// The console hooks on a text window: writes append, a read waits for the
// typed line, and a missing window is an error.
#include "hosts/window/console_hooks.h"

#include <gtest/gtest.h>

#include <QTest>
#include <QTimer>

#include "hosts/window/host_state.h"
#include "hosts/window/text_window.h"
#include "hosts/window/unit_window_table.h"
#include "hosts/window/fake_dialogs.h"
#include "hosts/window/host_script.h"

namespace veska::test {
namespace {

using window::ConsoleHooks;
using window::HostState;
using window::TextWindow;
using window::UnitWindowTable;

class ConsoleHooksTest : public ::testing::Test {
 protected:
  void SetUp() override {
    units.registerUnit(window::kConsoleUnit);
    window.resize(600, 300);
    window.show();
    units.attachNewWindow(&window);
  }

  HostState state;
  UnitWindowTable units;
  FakeDialogs dialogs;
  ConsoleHooks hooks{state, units, dialogs};
  TextWindow window;
};

TEST_F(ConsoleHooksTest, TypedAnswerCompletesAPendingRead) {
  ASSERT_TRUE(hooks.write(" Ring widths (M) or Indices (I)             ==> "));
  bool waitedForEnter = false;
  QTimer::singleShot(0, &window, [&] {
    QTest::keyClicks(&window, "m2");
    QTimer::singleShot(0, &window, [&] {
      waitedForEnter = window.model().waiting();
      QTest::keyClick(&window, Qt::Key_Return);
    });
  });
  const std::optional<std::string> answer = hooks.readLine(1024);
  EXPECT_TRUE(waitedForEnter);
  ASSERT_TRUE(answer);
  EXPECT_EQ(*answer, "m2");
  EXPECT_FALSE(hooks.quitStatus());
}

TEST_F(ConsoleHooksTest, AnswerIsCutToTheReadsCapacity) {
  QTimer::singleShot(0, &window, [&] {
    QTest::keyClicks(&window, "abcdef");
    QTest::keyClick(&window, Qt::Key_Return);
  });
  EXPECT_EQ(hooks.readLine(4), "abcd");
}

TEST_F(ConsoleHooksTest, NonAsciiAnswerComesBackAsUtf8) {
  QTimer::singleShot(0, &window, [&] {
    typeText(&window, QString::fromUtf8("d\u00E9j\u00E0"));
    QTest::keyClick(&window, Qt::Key_Return);
  });
  EXPECT_EQ(hooks.readLine(80), "d\xC3\xA9j\xC3\xA0");
}

TEST_F(ConsoleHooksTest, ConsoleRecordsShowAsLinesAndPromptsStayOpen) {
  hooks.write("first\r\n");
  hooks.write("==> ");
  ASSERT_EQ(window.model().lineCount(), 2);
  EXPECT_EQ(window.model().lines()[0], U"first");
  EXPECT_EQ(window.model().lines()[1], U"==> ");
  EXPECT_FALSE(window.model().linePending());
}

TEST_F(ConsoleHooksTest, QuittingEndsAWaitingReadWithoutALine) {
  QTimer::singleShot(0, &state, [&] { state.requestQuit(0); });
  EXPECT_EQ(hooks.readLine(80), std::nullopt);
  EXPECT_EQ(hooks.quitStatus(), 0);
  EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(ConsoleHooksTest, ClosingTheWindowDuringAReadIsAWindowHandlerError) {
  QObject::connect(&window, &TextWindow::closed, &state, [&](TextWindow* w) { units.detach(w); });
  QTimer::singleShot(0, &window, [&] { window.close(); });
  EXPECT_EQ(hooks.readLine(80), std::nullopt);
  ASSERT_EQ(dialogs.boxes.size(), 1u);
  EXPECT_EQ(dialogs.boxes[0].text, "Not a valid window, program exited.");
  EXPECT_EQ(dialogs.boxes[0].caption, "Window Handler Error");
  EXPECT_EQ(dialogs.boxes[0].icon, window::Dialogs::Icon::Error);
  EXPECT_EQ(hooks.quitStatus(), -1);
}

TEST_F(ConsoleHooksTest, WithoutAWindowWritesFailAndReadsReportTheError) {
  units.detach(&window);
  EXPECT_FALSE(hooks.write("lost\r\n"));
  EXPECT_EQ(hooks.quitStatus(), -1);
  EXPECT_TRUE(dialogs.boxes.empty());  // a write fails quietly
  EXPECT_EQ(hooks.readLine(80), std::nullopt);
}

TEST_F(ConsoleHooksTest, ReadWithoutAWindowShowsTheBox) {
  units.detach(&window);
  EXPECT_EQ(hooks.readLine(80), std::nullopt);
  ASSERT_EQ(dialogs.boxes.size(), 1u);
  EXPECT_EQ(dialogs.boxes[0].caption, "Window Handler Error");
}

TEST_F(ConsoleHooksTest, FinalWaitLastsUntilTheQuit) {
  bool announced = false;
  QObject::connect(&state, &HostState::finalWaitEntered, &state, [&] {
    announced = true;
    QTimer::singleShot(0, &state, [&] { state.requestQuit(0); });
  });
  hooks.terminate(0);
  EXPECT_TRUE(announced);
  EXPECT_TRUE(state.finalWait);
  announced = false;
  hooks.terminate(0);  // only the first call waits
  EXPECT_FALSE(announced);
}

TEST_F(ConsoleHooksTest, EmptyFileNameOpensTheChooser) {
  dialogs.files = {QString("/data/site.rwl"), QString()};
  EXPECT_EQ(hooks.chooseFileForEmptyName(), "/data/site.rwl");
  EXPECT_EQ(hooks.chooseFileForEmptyName(), std::nullopt);  // Cancel
  EXPECT_EQ(dialogs.fileDialogs, 2);
}

TEST(UnitWindowTable, EveryNegativeUnitIsTheConsole) {
  UnitWindowTable units;
  EXPECT_EQ(units.windowFor(-1), nullptr);
  units.registerUnit(window::kConsoleUnit);
  TextWindow window;
  units.attachNewWindow(&window);
  for (const int unit : {-1, -7, -1000}) {
    SCOPED_TRACE(unit);
    EXPECT_EQ(units.windowFor(unit), &window);
  }
  EXPECT_EQ(units.windowFor(10), nullptr);
  EXPECT_EQ(units.usedSlots(), 1);
  for (int i = 1; i < UnitWindowTable::kSlots; ++i) EXPECT_TRUE(units.registerUnit(i));
  EXPECT_FALSE(units.registerUnit(500));  // all 100 slots taken
}

}  // namespace
}  // namespace veska::test
