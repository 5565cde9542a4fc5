// The text window's line, caret and read rules, driven without any widget.
#include "hosts/window/model/text_window_model.h"

#include <gtest/gtest.h>

#include "hosts/window/model/model_fixture.h"

namespace veska::test {
namespace {

using window::Key;
using window::TextWindowModel;

TEST(TextWindowModel, OutputRecordEndsItsLineAndLeavesTheNextOnePending) {
  TextWindowModel model = makeModel();
  model.appendOutput("abc\r\n");
  ASSERT_EQ(model.lineCount(), 1);
  EXPECT_EQ(lineAt(model, 0), "abc");
  EXPECT_EQ(model.caretColumn(), 0);
  EXPECT_EQ(model.caretRow(), 1);
  EXPECT_TRUE(model.linePending());
  // The next output starts a line of its own; so does the next keystroke.
  model.appendOutput("d");
  ASSERT_EQ(model.lineCount(), 2);
  EXPECT_EQ(lineAt(model, 1), "d");
  model.appendOutput("\r\n");
  type(model, "e");
  EXPECT_EQ(model.lineCount(), 3);
  EXPECT_EQ(lastLine(model), "e");
}

TEST(TextWindowModel, PromptAnswerIsReadWithoutThePrompt) {
  TextWindowModel model = makeModel();
  model.appendOutput(" File name (/ to exit)                      ==> ");
  EXPECT_FALSE(model.linePending());
  EXPECT_EQ(model.inputStartColumn(), 48);
  model.beginRead();
  type(model, "12");
  EXPECT_TRUE(model.waiting());
  type(model, "\r");
  EXPECT_FALSE(model.waiting());
  EXPECT_EQ(model.takeInput(1026), "12\r\n");
  EXPECT_EQ(lastLine(model), " File name (/ to exit)                      ==> 12");
  EXPECT_EQ(model.inputStartColumn(), 0);
}

TEST(TextWindowModel, EnterAloneAfterACompletedLineIsAnEmptyAnswerOnALineOfItsOwn) {
  TextWindowModel model = makeModel();
  model.appendOutput("Normal Termination of Program- Hit return to Quit\r\n");
  model.beginRead();
  type(model, "\r");
  EXPECT_FALSE(model.waiting());
  ASSERT_EQ(model.lineCount(), 2);
  EXPECT_EQ(lineAt(model, 1), "");
  EXPECT_EQ(model.takeInput(1026), "\r\n");
  EXPECT_EQ(model.caretRow(), 2);
}

TEST(TextWindowModel, ReadIsCutToCapacityLessTheLineEnd) {
  struct Row {
    std::size_t capacity;
    const char* expected;
  };
  for (const Row& row : {Row{2, "\r\n"}, Row{0, "\r\n"}, Row{5, "abc\r\n"}, Row{8, "abcdef\r\n"}, Row{100, "abcdef\r\n"}}) {
    SCOPED_TRACE(row.capacity);
    TextWindowModel model = makeModel();
    model.appendOutput("==> ");
    type(model, "abcdef\r");
    // The cut counts from the answer's start: a prompt does not eat into it.
    EXPECT_EQ(model.takeInput(row.capacity), row.expected);
  }
}

TEST(TextWindowModel, TabFillsBlanksToTheNextMultipleOfEight) {
  struct Row {
    const char* before;
    int blanks;
  };
  for (const Row& row : {Row{"abcde", 3}, Row{"abcdefgh", 8}, Row{"", 8}, Row{"abcdefg", 1}}) {
    SCOPED_TRACE(row.before);
    TextWindowModel model = makeModel();
    type(model, row.before);
    type(model, "\t");
    const std::string expected = std::string(row.before) + std::string(static_cast<std::size_t>(row.blanks), ' ');
    EXPECT_EQ(lastLine(model), expected);
    EXPECT_EQ(model.caretColumn() % 8, 0);
  }
}

TEST(TextWindowModel, BackspaceAndDeleteAtTheEdgesChangeNothing) {
  TextWindowModel model = makeModel();
  type(model, "abc");
  model.key(Key::Delete);  // at the end of the line
  EXPECT_EQ(lastLine(model), "abc");
  for (int i = 0; i < 3; ++i) model.key(Key::Left);
  type(model, "\b");  // at column 0
  EXPECT_EQ(lastLine(model), "abc");
  EXPECT_EQ(model.caretColumn(), 0);
  model.key(Key::Delete);
  EXPECT_EQ(lastLine(model), "bc");
  model.key(Key::Right);
  type(model, "\b");
  EXPECT_EQ(lastLine(model), "c");
  EXPECT_EQ(model.caretColumn(), 0);
}

TEST(TextWindowModel, TypingInTheMiddleInsertsAndInsertOpensABlank) {
  TextWindowModel model = makeModel();
  type(model, "acd");
  model.key(Key::Left);
  model.key(Key::Left);
  type(model, "b");
  EXPECT_EQ(lastLine(model), "abcd");
  EXPECT_EQ(model.caretColumn(), 2);
  model.key(Key::Insert);
  EXPECT_EQ(lastLine(model), "ab cd");
  EXPECT_EQ(model.caretColumn(), 2);
}

TEST(TextWindowModel, CaretKeysStayWithinTheOpenLine) {
  TextWindowModel model = makeModel();
  type(model, "ab");
  model.key(Key::Right);
  EXPECT_EQ(model.caretColumn(), 2);  // not beyond the line's end
  model.key(Key::Left);
  model.key(Key::Left);
  model.key(Key::Left);
  EXPECT_EQ(model.caretColumn(), 0);
  type(model, "\r");
  // With a new line pending there is no line to move in or edit.
  for (const Key key : {Key::Right, Key::Insert, Key::Delete, Key::Left}) model.key(key);
  EXPECT_EQ(model.caretColumn(), 0);
  EXPECT_EQ(model.lineCount(), 1);
  EXPECT_EQ(lastLine(model), "ab");
}

TEST(TextWindowModel, OutputBytesBecomeOneColumnPerCharacter) {
  TextWindowModel model = makeModel();
  // UTF-8 for e-acute and a Cyrillic letter, then a stray Latin-1 byte.
  model.appendOutput("a\xC3\xA9\xD0\x96\xE9z");
  EXPECT_EQ(model.lines().back(), U"a\u00E9\u0416\u00E9z");
  EXPECT_EQ(model.caretColumn(), 5);
  EXPECT_EQ(model.widestLine(), 5);
}

TEST(TextWindowModel, OnlyAFinalLineFeedIsDroppedAndAnInnerOneShowsAsABlank) {
  TextWindowModel model = makeModel();
  model.appendOutput("a\nb\n");
  EXPECT_EQ(lastLine(model), "a b");
  EXPECT_FALSE(model.linePending());  // without CR the line stays open
  model.appendOutput("\r");
  EXPECT_TRUE(model.linePending());
}

TEST(TextWindowModel, NoLineIsEverLost) {
  // Far beyond the 32,767 lines a fixed line table would hold: none is lost.
  TextWindowModel model = makeModel();
  constexpr int kLines = 40000;
  for (int i = 0; i < kLines; ++i) model.appendOutput(std::to_string(i) + "\r\n");
  ASSERT_EQ(model.lineCount(), kLines);
  EXPECT_EQ(lineAt(model, 0), "0");
  EXPECT_EQ(lineAt(model, 32767), "32767");
  EXPECT_EQ(lineAt(model, kLines - 1), std::to_string(kLines - 1));
}

TEST(TextWindowModel, OutputFollowsTheBottomOfTheText) {
  TextWindowModel model = makeModel(80, 10);
  for (int i = 0; i < 30; ++i) model.appendOutput("line\r\n");
  EXPECT_EQ(model.scroll().verticalRange(), 30 - 10 + 2);
  EXPECT_EQ(model.scroll().verticalPosition(), model.scroll().verticalRange());
  // The caret's row is on screen.
  const int caretRowOnScreen = model.caretRow() - model.scroll().verticalPosition();
  EXPECT_GE(caretRowOnScreen, 0);
  EXPECT_LT(caretRowOnScreen, 10);
  // Scrolled up by the user, the next character brings the bottom back.
  model.key(Key::Home);
  EXPECT_EQ(model.scroll().verticalPosition(), 0);
  type(model, "x");
  EXPECT_EQ(model.scroll().verticalPosition(), model.scroll().verticalRange());
}

TEST(TextWindowModel, RowsToPaintCoverTheExposedBandAndOneRowAbove) {
  TextWindowModel model = makeModel(80, 10);
  for (int i = 0; i < 30; ++i) model.appendOutput("line\r\n");
  const int position = model.scroll().verticalPosition();
  const auto rows = model.rowsToPaint(2 * kLineHeight, 5 * kLineHeight);
  EXPECT_EQ(rows.first, position + 1);
  EXPECT_EQ(rows.last, std::min(position + 5, 29));
  const auto all = model.rowsToPaint(0, 10 * kLineHeight - 1);
  EXPECT_EQ(all.last, 29);
  EXPECT_EQ(model.cellY(position), 0);
  EXPECT_EQ(makeModel().rowsToPaint(0, 100).last, -1);  // an empty window draws nothing
}

}  // namespace
}  // namespace veska::test
