// Save, Save As and the save question of a text window, and its Edit and
// Format commands, with the dialogs answered by the test.
#include "hosts/window/text_commands.h"

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>

#include "hosts/window/commands_fixture.h"

namespace veska::test {
namespace {

using window::Dialogs;

class SaveTest : public CommandsTest {
 protected:
  void SetUp() override {
    CommandsTest::SetUp();
    // One console record at a time, as the run writes them.
    for (const char* record : {"a\r\n", "\r\n", "bc\r\n"}) window.appendOutput(record);
  }
};

TEST_F(SaveTest, FirstSaveOffersUntitledThenRetitlesTheWindow) {
  dialogs.saveNames = {pathOf("run.txt")};
  commands->save();
  ASSERT_EQ(dialogs.saveDialogs.size(), 1u);
  EXPECT_EQ(dialogs.saveDialogs[0].caption, "Untitled");
  EXPECT_EQ(dialogs.saveDialogs[0].defaultPath, QDir::currentPath() + "/Untitled");
  EXPECT_EQ(readFile(dir.file("run.txt")), std::string("\x61\x0D\x0A\x0D\x0A\x62\x63\x0D\x0A"));
  EXPECT_EQ(window.windowTitle(), "run.txt");
  EXPECT_FALSE(window.model().modified());
  EXPECT_TRUE(commands->named());
  EXPECT_EQ(dialogs.owners, std::vector<QWidget*>{&window});  // the top-level window: here, itself
  // Later saves write to that file without asking.
  window.appendOutput("d\r\n");
  EXPECT_TRUE(window.model().modified());
  commands->save();
  EXPECT_EQ(dialogs.saveDialogs.size(), 1u);
  EXPECT_EQ(readFile(dir.file("run.txt")), "a\r\n\r\nbc\r\nd\r\n");
  // The next Save As starts in the directory of the file last chosen.
  commands->saveAs();
  ASSERT_EQ(dialogs.saveDialogs.size(), 2u);
  EXPECT_EQ(dialogs.saveDialogs[1].caption, "run.txt");
  EXPECT_EQ(dialogs.saveDialogs[1].defaultPath, pathOf("run.txt"));
}

TEST_F(SaveTest, SaveAsCancelledChangesNothingAndClosingStillAsks) {
  commands->saveAs();
  EXPECT_EQ(dialogs.saveDialogs.size(), 1u);
  EXPECT_TRUE(window.model().modified());
  EXPECT_EQ(window.windowTitle(), "Input/Output");
  EXPECT_FALSE(commands->named());
  dialogs.answers = {Dialogs::Answer::Cancel};
  EXPECT_FALSE(window.close());
  ASSERT_EQ(dialogs.questions.size(), 1u);
  EXPECT_EQ(dialogs.questions[0].text, "Save changes to Input/Output?");
  EXPECT_EQ(dialogs.questions[0].caption, "veska");
  EXPECT_EQ(dialogs.questions[0].icon, Dialogs::Icon::Warning);
  EXPECT_FALSE(window.isClosed());
}

TEST_F(SaveTest, SaveAsNamesTheTitleOnlySoSaveAsksAgain) {
  dialogs.saveNames = {pathOf("copy.txt"), pathOf("second.txt")};
  commands->saveAs();
  EXPECT_EQ(window.windowTitle(), "copy.txt");
  EXPECT_EQ(readFile(dir.file("copy.txt")), "a\r\n\r\nbc\r\n");
  EXPECT_FALSE(window.model().modified());
  EXPECT_FALSE(commands->named());
  commands->save();
  EXPECT_EQ(dialogs.saveDialogs.size(), 2u);
  EXPECT_EQ(window.windowTitle(), "second.txt");
  EXPECT_TRUE(std::filesystem::exists(dir.file("second.txt")));
}

TEST_F(SaveTest, CloseQuestionAnswers) {
  struct Row {
    Dialogs::Answer answer;
    bool closes;
  };
  for (const Row& row : {Row{Dialogs::Answer::No, true}, Row{Dialogs::Answer::Cancel, false}}) {
    SCOPED_TRACE(row.closes);
    window::TextWindow other;
    other.setWindowTitle(QStringLiteral("Input/Output"));
    window::TextCommands::attach(other, dialogs, savePath);
    other.appendOutput("text\r\n");
    dialogs.answers = {row.answer};
    EXPECT_EQ(other.close(), row.closes);
    EXPECT_EQ(other.isClosed(), row.closes);
    EXPECT_TRUE(dialogs.saveDialogs.empty());  // neither saves
  }
  // A saved window closes without a question.
  dialogs.saveNames = {pathOf("run.txt")};
  commands->save();
  const std::size_t asked = dialogs.questions.size();
  EXPECT_TRUE(window.close());
  EXPECT_EQ(dialogs.questions.size(), asked);
}

TEST_F(SaveTest, QuestionNamesTheWindowCutToFiftyCharacters) {
  // 16 characters of lead-in, so a title of 33 leaves room for the "?".
  const QString fits(33, QLatin1Char('a'));
  const QString cyrillic(40, QChar(0x0416));
  const std::pair<QString, QString> cases[] = {
      {"Input/Output", "Save changes to Input/Output?"},
      {fits, "Save changes to " + fits + "?"},
      {fits + "b", "Save changes to " + fits + "b"},
      {"a-very-long-name-for-a-saved-console-text.txt", "Save changes to a-very-long-name-for-a-saved-conso"},
      // Characters, not bytes: a title in Cyrillic is cut between letters.
      {cyrillic, "Save changes to " + cyrillic.left(34)},
  };
  for (const auto& [title, question] : cases) {
    SCOPED_TRACE(title.toStdString());
    window.setWindowTitle(title);
    dialogs.answers = {Dialogs::Answer::Cancel};
    window.close();
    ASSERT_FALSE(dialogs.questions.empty());
    EXPECT_EQ(dialogs.questions.back().text, question);
  }
}

TEST_F(SaveTest, YesOnANamedWindowRewritesItsFileWithoutADialog) {
  dialogs.saveNames = {pathOf("run.txt")};
  commands->save();
  window.appendOutput("more\r\n");
  dialogs.answers = {Dialogs::Answer::Yes};
  EXPECT_TRUE(window.close());
  EXPECT_EQ(dialogs.saveDialogs.size(), 1u);
  EXPECT_EQ(readFile(dir.file("run.txt")), "a\r\n\r\nbc\r\nmore\r\n");
}

TEST_F(SaveTest, YesOnAnUnnamedWindowSavesThroughTheDialog) {
  dialogs.answers = {Dialogs::Answer::Yes};
  dialogs.saveNames = {pathOf("closing.txt")};
  EXPECT_TRUE(window.close());
  ASSERT_EQ(dialogs.saveDialogs.size(), 1u);
  EXPECT_EQ(dialogs.saveDialogs[0].caption, "Untitled");
  EXPECT_EQ(readFile(dir.file("closing.txt")), "a\r\n\r\nbc\r\n");
}

// The text is not lost because the file dialog was cancelled.
TEST_F(SaveTest, YesThenACancelledFileDialogKeepsTheWindow) {
  dialogs.answers = {Dialogs::Answer::Yes, Dialogs::Answer::No};
  EXPECT_FALSE(window.close());
  EXPECT_FALSE(window.isClosed());
  EXPECT_TRUE(window.model().modified());
  EXPECT_FALSE(commands->named());  // a later Save still asks for a name
  EXPECT_TRUE(window.close());      // and No still closes it
}

// A save that fails keeps the text unsaved, so closing still asks.
TEST_F(SaveTest, FailedSaveLeavesTheTextUnsaved) {
  dialogs.saveNames = {pathOf("no-such-dir/run.txt")};
  commands->save();
  ASSERT_EQ(dialogs.boxes.size(), 1u);
  EXPECT_EQ(dialogs.boxes[0].text, "Cannot create file");
  EXPECT_EQ(dialogs.boxes[0].caption, "veska");
  EXPECT_EQ(dialogs.boxes[0].icon, Dialogs::Icon::Warning);
  EXPECT_TRUE(window.model().modified());
  // Yes at the close tries the same file, fails again, and keeps the window.
  dialogs.answers = {Dialogs::Answer::Yes};
  EXPECT_FALSE(window.close());
  EXPECT_EQ(dialogs.boxes.size(), 2u);
  EXPECT_FALSE(window.isClosed());
}

TEST_F(SaveTest, FailedSaveAsKeepsTheTitleAndTheFileName) {
  dialogs.saveNames = {pathOf("kept.txt"), pathOf("no-such-dir/run.txt")};
  commands->saveAs();
  ASSERT_EQ(window.windowTitle(), "kept.txt");
  window.appendOutput("more\r\n");
  commands->saveAs();
  ASSERT_EQ(dialogs.boxes.size(), 1u);
  EXPECT_EQ(dialogs.boxes[0].text, "Cannot create file");
  EXPECT_EQ(window.windowTitle(), "kept.txt");
  EXPECT_EQ(commands->fileName(), pathOf("kept.txt"));
  EXPECT_TRUE(window.model().modified());
}

TEST_F(SaveTest, WriteErrorIsReported) {
  // A file size limit of nothing fails every write as a full disk does.
  window.appendOutput("hello\r\n");
  dialogs.saveNames = {QString::fromStdString(dir.file("run.txt").string())};
  rlimit old{};
  ::getrlimit(RLIMIT_FSIZE, &old);
  const auto oldSignal = std::signal(SIGXFSZ, SIG_IGN);
  rlimit none = old;
  none.rlim_cur = 0;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &none), 0);
  commands->saveAs();
  ::setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, oldSignal);
  ASSERT_EQ(dialogs.boxes.size(), 1u);
  EXPECT_EQ(dialogs.boxes[0].text, "I/O error while writing file");
  EXPECT_TRUE(window.model().modified());
}

using EditTest = CommandsTest;

TEST_F(EditTest, CopyPutsTheSpanOnTheClipboardAndPasteTypesIt) {
  window.appendOutput("hello world\r\n");
  window.appendOutput("==> ");
  select(0, 6, 11);
  commands->copy();
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "world");
  EXPECT_TRUE(window.model().selection().active());  // Copy leaves the text and its selection
  commands->paste();
  EXPECT_EQ(window.model().lines().back(), U"==> world");
  EXPECT_EQ(window.model().lines()[0], U"hello world");
}

TEST_F(EditTest, CutOnAnEarlierLineShortensItAndKeepsTheCaret) {
  window.appendOutput("hello world\r\n");
  window.appendOutput("==> ");
  QTest::keyClicks(&window, "ab");
  const int caret = window.model().caretColumn();
  select(0, 5, 11);
  commands->cut();
  EXPECT_EQ(QGuiApplication::clipboard()->text(), " world");
  EXPECT_EQ(window.model().lines()[0], U"hello");
  EXPECT_EQ(window.model().caretColumn(), caret);
  EXPECT_FALSE(window.model().editCommandsEnabled());
  QTest::keyClicks(&window, "c");
  EXPECT_EQ(window.model().lines().back(), U"==> abc");
}

TEST_F(EditTest, DeleteRemovesTheSpanWithoutTheClipboard) {
  QGuiApplication::clipboard()->setText(QStringLiteral("kept"));
  window.appendOutput("hello world\r\n");
  window.model().markSaved();
  select(0, 0, 6);
  commands->deleteSelection();
  EXPECT_EQ(window.model().lines()[0], U"world");
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "kept");
  EXPECT_TRUE(window.model().modified());
}

TEST_F(EditTest, PasteTypesAtMost1024Characters) {
  QGuiApplication::clipboard()->setText(QString(1500, QLatin1Char('x')));
  commands->paste();
  EXPECT_EQ(window.model().lines().back().size(), 1024u);
}

TEST_F(EditTest, PastedLineEndCompletesAWaitingReadAndTheRestWaitsForTheNext) {
  window.appendOutput("==> ");
  window.beginRead();
  QGuiApplication::clipboard()->setText(QStringLiteral("12\n34\n"));
  commands->paste();
  EXPECT_FALSE(window.model().waiting());
  EXPECT_EQ(window.model().takeInput(1026), "12\r\n");
  window.appendOutput("next ==> ");
  window.beginRead();
  EXPECT_FALSE(window.model().waiting());
  EXPECT_EQ(window.model().takeInput(1026), "34\r\n");
}

using FormatTest = CommandsTest;

TEST_F(FormatTest, FontChosenGivesNewMetricsAndCancelKeepsTheOld) {
  const QFont before = window.textFont();
  const int lineHeight = window.model().lineHeight();
  commands->chooseFont();  // no answer: Cancel
  ASSERT_EQ(dialogs.fontsShown.size(), 1u);
  EXPECT_EQ(dialogs.fontsShown[0], before);
  EXPECT_EQ(window.model().lineHeight(), lineHeight);
  QFont larger = before;
  larger.setPointSize(before.pointSize() > 0 ? before.pointSize() * 2 : 24);
  dialogs.fontAnswer = larger;
  commands->chooseFont();
  const QFontMetrics metrics(larger);
  EXPECT_EQ(window.textFont(), larger);
  EXPECT_EQ(window.model().lineHeight(), metrics.height());
  EXPECT_EQ(window.model().charWidth(), metrics.horizontalAdvance(QLatin1Char('0')));
  EXPECT_EQ(window.model().scroll().visibleRows(), window.viewport()->height() / metrics.height());
  EXPECT_EQ(window.model().scroll().visibleColumns(),
            window.viewport()->width() / metrics.horizontalAdvance(QLatin1Char('0')));
}

// The dialog starts from the window's colour, and Cancel keeps it.
TEST_F(FormatTest, ColourChosenIsKeptAndCancelChangesNothing) {
  window.appendOutput("XXXX\r\n");
  dialogs.colourAnswer = QColor(200, 0, 0);
  commands->chooseColour();
  EXPECT_EQ(dialogs.coloursShown.at(0), QColor(Qt::black));
  EXPECT_EQ(window.model().textColour(), 0xC80000u);
  dialogs.colourAnswer.reset();
  commands->chooseColour();
  EXPECT_EQ(dialogs.coloursShown.at(1), QColor(200, 0, 0));
  EXPECT_EQ(window.model().textColour(), 0xC80000u);
  // The text is painted in it.
  const QImage image = window.viewport()->grab().toImage();
  bool red = false;
  for (int y = 0; y < window.model().lineHeight() && !red; ++y) {
    for (int x = 0; x < 4 * window.model().charWidth() && !red; ++x) {
      const QColor pixel = image.pixelColor(x, y);
      red = pixel.red() > 150 && pixel.green() < 60 && pixel.blue() < 60;
    }
  }
  EXPECT_TRUE(red);
}

}  // namespace
}  // namespace veska::test
