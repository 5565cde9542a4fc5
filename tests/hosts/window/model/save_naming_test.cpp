// What a text window's Save commands name, ask and write.
#include "hosts/window/model/save_naming.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>

#include "hosts/window/model/text_file.h"
#include "records/text.h"
#include "support/test_support.h"

namespace veska::test {
namespace {

using window::SaveResult;

TEST(SaveNaming, InputOutputWindowIsOfferedAsUntitled) {
  EXPECT_EQ(window::saveTitle("Input/Output"), "Untitled");
  EXPECT_EQ(window::saveTitle("run1.txt"), "run1.txt");
  EXPECT_EQ(window::saveTitle("Input/Output "), "Input/Output ");  // only the console's own title
}

TEST(SaveNaming, DefaultPathIsTheLastDirectoryAndTheTitle) {
  struct Row {
    const char* lastPath;
    const char* currentDirectory;
    const char* title;
    const char* expected;
  };
  const Row rows[] = {
      {"", "/home/lab", "Untitled", "/home/lab/Untitled"},   // nothing chosen yet
      {"", "/", "Untitled", "/Untitled"},                     // the root already ends in a slash
      {"/data/site/run1.txt", "/home/lab", "run1.txt", "/data/site/run1.txt"},
      {"/data/site/run1.txt", "/home/lab", "Untitled", "/data/site/Untitled"},
      {"run1.txt", "/home/lab", "Untitled", "Untitled"},     // a chosen name without a directory
      {"", "/home/lab", "Untitled  ", "/home/lab/Untitled"},  // trailing blanks go
      {"/my dir /x.txt", "/home", "t", "/my dir /t"},        // blanks inside stay
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.expected);
    EXPECT_EQ(window::defaultSavePath(row.lastPath, row.currentDirectory, row.title), row.expected);
  }
}

TEST(SaveNaming, SavedWindowIsTitledByTheFileNameAlone) {
  EXPECT_EQ(window::fileNameOf("/data/site/run1.txt"), "run1.txt");
  EXPECT_EQ(window::fileNameOf("run1.txt"), "run1.txt");
  EXPECT_EQ(window::fileNameOf("/data/Überlingen.txt"), "Überlingen.txt");
}

TEST(TextFile, EachLineEndsWithCarriageReturnLineFeed) {
  EXPECT_EQ(window::savedBytes({U"a", U"", U"bc"}), std::string("\x61\x0D\x0A\x0D\x0A\x62\x63\x0D\x0A"));
  EXPECT_EQ(window::savedBytes({}), "");
  EXPECT_EQ(window::savedBytes({U"Ж é"}), "Ж é\r\n");  // characters as UTF-8, as the console writes them
}

TEST(TextFile, WritingCreatesOrReplacesTheFile) {
  TempDir dir;
  const auto path = dir.file("run.txt");
  writeFile(path, "an older and much longer text that must not survive\r\n");
  EXPECT_EQ(window::writeTextFile(path.string(), {U"a", U"", U"bc"}), SaveResult::Written);
  EXPECT_EQ(readFile(path), "a\r\n\r\nbc\r\n");
  EXPECT_EQ(window::writeTextFile(path.string(), {}), SaveResult::Written);
  EXPECT_TRUE(std::filesystem::exists(path));
  EXPECT_EQ(readFile(path), "");  // an empty window gives an empty file
}

TEST(TextFile, FailuresAreTold) {
  TempDir dir;
  EXPECT_EQ(window::writeTextFile(dir.file("no-such-dir/run.txt").string(), {U"a"}), SaveResult::CannotCreate);
  EXPECT_EQ(window::writeTextFile(dir.path().string(), {U"a"}), SaveResult::CannotCreate);  // a directory
  EXPECT_EQ(window::writeTextFile("", {U"a"}), SaveResult::CannotCreate);
  // Never opened, so never waited for nor written through.
  ASSERT_EQ(::mkfifo(dir.file("fifo.txt").c_str(), 0600), 0);
  EXPECT_EQ(window::writeTextFile(dir.file("fifo.txt").string(), {U"a"}), SaveResult::CannotCreate);
  EXPECT_EQ(window::writeTextFile("/dev/full", {U"a"}), SaveResult::CannotCreate);
  // A write that fails (a file size limit fails it as a full disk does)
  // leaves the earlier file as it was.
  const auto path = dir.file("run.txt");
  writeFile(path, "the earlier text\r\n");
  rlimit old{};
  ::getrlimit(RLIMIT_FSIZE, &old);
  const auto oldSignal = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = old;
  small.rlim_cur = 4096;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const std::vector<std::u32string> lines(1000, std::u32string(99, U'x'));
  const SaveResult result = window::writeTextFile(path.string(), lines);
  ::setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, oldSignal);
  EXPECT_EQ(result, SaveResult::WriteFailed);
  EXPECT_EQ(readFile(path), "the earlier text\r\n");
}

}  // namespace
}  // namespace veska::test
