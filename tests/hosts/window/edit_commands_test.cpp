// The text of the Edit commands: what Copy takes, what Delete removes and
// where it leaves the caret, and what Paste types.
#include <gtest/gtest.h>

#include "hosts/window/model/paste_text.h"
#include "hosts/window/model/text_window_model.h"
#include "hosts/window/model/model_fixture.h"

namespace veska::test {
namespace {

using window::TextWindowModel;

// Drags across columns [start, end) of `row` as the mouse would.
void select(TextWindowModel& model, int row, int start, int end) {
  model.mousePress();
  for (const int column : {start, end}) {
    model.mouseMove(column * kCharWidth + 1, row * kLineHeight + 1, true);
  }
  model.mouseRelease();
}

TEST(EditText, CopyTakesTheSelectedSpanOfAnyLine) {
  TextWindowModel model = makeModel();
  model.appendOutput("first line\r\n");
  model.appendOutput("second");
  select(model, 0, 6, 10);
  ASSERT_TRUE(model.editCommandsEnabled());
  EXPECT_EQ(model.selectedText(), U"line");
  select(model, 1, 0, 3);
  EXPECT_EQ(model.selectedText(), U"sec");
  model.mousePress();
  model.mouseRelease();
  EXPECT_EQ(model.selectedText(), U"");  // nothing selected
}

TEST(EditText, DeletingOnAnEarlierLineShortensItAndLeavesTheCaret) {
  TextWindowModel model = makeModel();
  model.appendOutput("alpha beta\r\n");
  model.appendOutput("gamma\r\n");
  model.appendOutput(" File name ==> ");
  type(model, "xy");
  const int caretColumn = model.caretColumn();
  const int caretRow = model.caretRow();
  model.markSaved();
  select(model, 0, 5, 10);
  model.deleteSelection();
  EXPECT_EQ(lineAt(model, 0), "alpha");
  EXPECT_EQ(lineAt(model, 1), "gamma");  // the later lines move up in the text, whole
  EXPECT_EQ(lastLine(model), " File name ==> xy");
  EXPECT_EQ(model.caretColumn(), caretColumn);
  EXPECT_EQ(model.caretRow(), caretRow);
  EXPECT_FALSE(model.selection().active());
  EXPECT_FALSE(model.editCommandsEnabled());
  EXPECT_TRUE(model.modified());
  // Typing goes on at the caret.
  type(model, "z");
  EXPECT_EQ(lastLine(model), " File name ==> xyz");
}

TEST(EditText, DeletingOnTheCaretsLineMovesTheCaretWithTheText) {
  struct Row {
    int start;
    int end;
    int caret;  // after the delete; it was at 8, behind "abcdefgh"
  };
  const Row rows[] = {
      {1, 3, 6},  // before the caret: it moves left by the span
      {6, 8, 6},  // ending at the caret
      {7, 8, 7},
      {0, 8, 0},  // the whole line
      {8, 8, 8},  // nothing selected: nothing moves
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.start);
    TextWindowModel model = makeModel();
    type(model, "abcdefgh");
    select(model, 0, row.start, row.end);
    model.deleteSelection();
    EXPECT_EQ(model.caretColumn(), row.caret);
    EXPECT_EQ(static_cast<int>(lastLine(model).size()), 8 - (row.end - row.start));
  }
}

TEST(EditText, DeletingAroundTheCaretPutsItAtTheSpansStart) {
  TextWindowModel model = makeModel();
  type(model, "abcdefgh");
  model.key(window::Key::Left);
  model.key(window::Key::Left);
  model.key(window::Key::Left);  // caret at 5
  select(model, 0, 3, 7);
  model.deleteSelection();
  EXPECT_EQ(lastLine(model), "abch");
  EXPECT_EQ(model.caretColumn(), 3);
}

TEST(EditText, DeletingPartOfThePromptKeepsTheAnswerWhole) {
  TextWindowModel model = makeModel();
  model.appendOutput(" File name (/ to exit) ==> ");
  model.beginRead();
  type(model, "site.rwl");
  select(model, 0, 1, 11);  // "File name "
  model.deleteSelection();
  type(model, "\r");
  EXPECT_EQ(model.takeInput(1026), "site.rwl\r\n");
}

TEST(PasteText, TakesUpToTheFirstNulAndAtMost1024Characters) {
  EXPECT_EQ(window::pastedCharacters(std::u32string(U"ab\0cd", 5)), U"ab");
  const std::u32string long1500(1500, U'x');
  EXPECT_EQ(window::pastedCharacters(long1500).size(), 1024u);
  EXPECT_EQ(window::pastedCharacters(std::u32string(1024, U'y')).size(), 1024u);
  EXPECT_EQ(window::pastedCharacters(U""), U"");
}

TEST(PasteText, EveryLineEndBecomesOneEnter) {
  struct Row {
    std::u32string clipboard;
    std::u32string typed;
  };
  const Row rows[] = {
      {U"12\n34\n", U"12\r34\r"},
      {U"12\r\n34", U"12\r34"},
      {U"12\r\r\n34", U"12\r34"},
      {U"12\r34", U"12\r34"},
      {U"a\n\nb", U"a\r\rb"},  // an empty line stays one
      {U"Ж\tb", U"Ж\tb"},      // the rest as it is
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(records::toUtf8(row.typed));
    EXPECT_EQ(window::pastedCharacters(row.clipboard), row.typed);
  }
}

}  // namespace
}  // namespace veska::test
