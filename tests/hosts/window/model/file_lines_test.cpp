// A file's lines shown without reading the file up front: the line ends are
// found slice by slice, and the same lines come out whatever the slices, in
// whatever order they are looked at; a window model showing them takes no
// typing but selects and saves them.
#include "hosts/window/model/file_lines.h"

#include <gtest/gtest.h>

#include "hosts/window/model/text_file.h"
#include "hosts/window/model/text_window_model.h"
#include "records/text.h"
#include "support/test_support.h"

namespace veska::test {
namespace {

using window::FileLines;

std::vector<std::string> shownLines(const FileLines& lines) {
  std::vector<std::string> out;
  for (int row = 0; row < lines.lineCount(); ++row) out.push_back(records::toUtf8(lines.line(row)));
  return out;
}

TEST(FileLines, LinesEndAtLineFeedsWhateverTheSlices) {
  struct Row {
    const char* what;
    std::string bytes;
    std::vector<std::string> lines;
    int widest;
  };
  const Row rows[] = {
      {"empty file", "", {}, 0},
      {"LF and CR LF", "ab\r\ncde\n\nf\n", {"ab", "cde", "", "f"}, 3},
      {"a last line without its end", "one\ntwo", {"one", "two"}, 3},
      {"a tab moves to the next multiple of 8", "A\tB\n", {"A       B"}, 9},
      {"UTF-8 is a character a column, another byte is Latin-1", "B\xC3\xA4ume \xE4\n", {"B\xC3\xA4ume \xC3\xA4"}, 7},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    TempDir dir;
    writeFile(dir.file("f.txt"), r.bytes);
    for (const std::size_t slice : {std::size_t{1}, std::size_t{3}, std::size_t{1} << 20}) {
      SCOPED_TRACE(slice);
      auto lines = FileLines::open(dir.file("f.txt").string());
      ASSERT_NE(lines, nullptr);
      while (lines->indexMore(slice)) {
      }
      EXPECT_TRUE(lines->indexed());
      EXPECT_EQ(shownLines(*lines), r.lines);
      EXPECT_EQ(lines->widestLine(), r.widest);
    }
  }
  EXPECT_EQ(FileLines::open("/nonexistent/f.txt"), nullptr);
}

TEST(FileLines, ALargeFileShowsItsFirstLinesBeforeItIsGoneThroughAndEveryLineAfterwards) {
  TempDir dir;
  std::vector<std::string> expected;
  std::string bytes;
  for (int k = 0; k < 20000; ++k) {
    expected.push_back(std::to_string(k) + std::string(static_cast<std::size_t>(k % 70), '.'));
    bytes += expected.back() + "\r\n";
  }
  writeFile(dir.file("big.txt"), bytes);
  auto lines = FileLines::open(dir.file("big.txt").string());
  ASSERT_NE(lines, nullptr);
  ASSERT_TRUE(lines->indexMore(4096));
  EXPECT_FALSE(lines->indexed());
  ASSERT_GT(lines->lineCount(), 10);
  EXPECT_LT(lines->lineCount(), 200);
  EXPECT_EQ(records::toUtf8(lines->line(3)), expected[3]);
  EXPECT_TRUE(lines->line(lines->lineCount()).empty());  // not found yet: no line

  while (lines->indexMore(65536)) {
  }
  ASSERT_EQ(lines->lineCount(), 20000);
  // Backwards, so that every line is read again in blocks other than the first.
  for (int row = 19999; row >= 0; row -= 7) ASSERT_EQ(records::toUtf8(lines->line(row)), expected[static_cast<std::size_t>(row)]);
  EXPECT_EQ(records::toUtf8(lines->line(19999)), expected.back());
}

TEST(FileLines, AWindowShowingThemTakesNoTypingButSelectsAndSaves) {
  TempDir dir;
  writeFile(dir.file("report.txt"), "first line\nSECOND pair line\n");
  std::shared_ptr<FileLines> lines = FileLines::open(dir.file("report.txt").string());
  ASSERT_NE(lines, nullptr);
  while (lines->indexMore(1 << 20)) {
  }
  window::TextWindowModel model;
  model.setCellSize(10, 20);
  model.resize(400, 200);
  model.showSource(lines);
  EXPECT_FALSE(model.modified());
  model.appendOutput("output\r\n");
  for (const char32_t c : std::u32string(U"typed\r")) model.character(c);
  model.key(window::Key::Delete);
  ASSERT_EQ(model.lineCount(), 2);
  EXPECT_EQ(records::toUtf8(model.line(1)), "SECOND pair line");
  EXPECT_FALSE(model.modified());

  model.doubleClick(35, 25);  // in the first word of the second line
  model.mouseRelease();
  EXPECT_EQ(records::toUtf8(model.selectedText()), "SECOND");
  model.deleteSelection();
  EXPECT_EQ(records::toUtf8(model.line(1)), "SECOND pair line");

  ASSERT_EQ(window::writeWindowText(dir.file("saved.txt").string(), model), window::SaveResult::Written);
  EXPECT_EQ(readFile(dir.file("saved.txt")), "first line\r\nSECOND pair line\r\n");
}

}  // namespace
}  // namespace veska::test
