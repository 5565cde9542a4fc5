// Drag and word selection, and when Cut, Copy and Delete are offered.
#include <gtest/gtest.h>

#include "hosts/window/model/text_selection.h"
#include "hosts/window/model/model_fixture.h"

namespace veska::test {
namespace {

using window::TextSelection;
using window::TextWindowModel;

// The pixel point inside cell (row, column) of an unscrolled window.
int xOf(int column) { return column * kCharWidth + kCharWidth / 2; }
int yOf(int row) { return row * kLineHeight + kLineHeight / 2; }

TEST(WordSelection, TakesTheWordLeftOfThePointersCell) {
  struct Row {
    int column;  // double-clicked cell
    bool selected;
    int start;
    int end;
  };
  // "abc word xy": "word" is columns 4..7.
  const Row rows[] = {
      {4, false, 0, 0},   // first letter: the character to its left is a blank
      {5, true, 4, 8},    // second letter: the whole word
      {8, true, 4, 8},    // the blank after it: still its last letter to the left
      {1, true, 0, 3},    // a word at the start of the line
      {11, true, 9, 11},  // just past the end: the last word
      {12, false, 0, 0},  // beyond the end of the line
      {0, false, 0, 0},   // column 0 has nothing to its left
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.column);
    TextSelection selection;
    EXPECT_EQ(selection.selectWord(U"abc word xy", 3, row.column), row.selected);
    EXPECT_EQ(selection.active(), row.selected);
    if (!row.selected) continue;
    EXPECT_EQ(selection.row(), 3);
    EXPECT_EQ(selection.start(), row.start);
    EXPECT_EQ(selection.end(), row.end);
  }
}

TEST(DragSelection, GrowsAndShrinksOnItsRowOnly) {
  TextSelection selection;
  selection.drag(0, 12, 10);  // beyond the line: nothing starts
  EXPECT_FALSE(selection.active());
  selection.drag(0, 4, std::nullopt);  // a row without a line
  EXPECT_FALSE(selection.active());
  selection.drag(2, 4, 10);
  ASSERT_TRUE(selection.active());
  EXPECT_EQ(selection.start(), 4);
  EXPECT_EQ(selection.end(), 4);
  selection.drag(2, 15, 10);  // right of the span: the end follows, within the line
  EXPECT_EQ(selection.end(), 10);
  selection.drag(2, 2, 10);  // left of the span: the start follows
  EXPECT_EQ(selection.start(), 2);
  selection.drag(2, 4, 10);  // inside, nearer the start
  EXPECT_EQ(selection.start(), 4);
  EXPECT_EQ(selection.end(), 10);
  selection.drag(2, 8, 10);  // inside, nearer the end
  EXPECT_EQ(selection.end(), 8);
  selection.drag(3, 0, 10);  // another row changes nothing
  EXPECT_EQ(selection.row(), 2);
  EXPECT_EQ(selection.start(), 4);
  EXPECT_EQ(selection.end(), 8);
}

TEST(SelectionInTheWindow, DragOffersEditCommandsAndTypingWithdrawsThem) {
  TextWindowModel model = makeModel();
  model.appendOutput("hello world\r\n");
  model.mousePress();
  model.mouseMove(xOf(2), yOf(0), true);
  model.mouseMove(xOf(7), yOf(0), true);
  EXPECT_FALSE(model.editCommandsEnabled());  // not while the button is held
  model.mouseRelease();
  EXPECT_TRUE(model.editCommandsEnabled());
  EXPECT_EQ(model.selection().start(), 2);
  EXPECT_EQ(model.selection().end(), 7);
  EXPECT_TRUE(model.highlightVisible());
  type(model, "x");
  EXPECT_FALSE(model.editCommandsEnabled());
  EXPECT_FALSE(model.selection().active());
}

TEST(SelectionInTheWindow, MovesWithoutTheButtonSelectNothing) {
  TextWindowModel model = makeModel();
  model.appendOutput("hello world\r\n");
  model.mouseMove(xOf(2), yOf(0), true);  // no press in this window first
  model.mousePress();
  model.mouseMove(xOf(2), yOf(0), false);
  EXPECT_FALSE(model.selection().active());
}

TEST(SelectionInTheWindow, APlainClickAfterASelectionOffersNothing) {
  TextWindowModel model = makeModel();
  model.appendOutput("hello world\r\n");
  model.mousePress();
  model.mouseMove(xOf(0), yOf(0), true);
  model.mouseMove(xOf(5), yOf(0), true);
  model.mouseRelease();
  ASSERT_TRUE(model.editCommandsEnabled());
  // The earlier span must not come back to be cut or deleted.
  model.mousePress();
  model.mouseRelease();
  EXPECT_FALSE(model.editCommandsEnabled());
  EXPECT_FALSE(model.selection().active());
}

TEST(SelectionInTheWindow, DoubleClickSelectsAWordAndItsButtonUpOffersCommands) {
  TextWindowModel model = makeModel();
  model.appendOutput("abc word\r\n");
  model.mousePress();
  model.mouseRelease();
  model.doubleClick(xOf(6), yOf(0));
  EXPECT_FALSE(model.editCommandsEnabled());
  model.mouseRelease();
  EXPECT_TRUE(model.editCommandsEnabled());
  EXPECT_EQ(model.selection().start(), 4);
  EXPECT_EQ(model.selection().end(), 8);
  // A double-click below the last line selects nothing.
  model.mousePress();
  model.doubleClick(xOf(6), yOf(5));
  model.mouseRelease();
  EXPECT_FALSE(model.editCommandsEnabled());
}

}  // namespace
}  // namespace veska::test
