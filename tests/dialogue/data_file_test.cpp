#include <gtest/gtest.h>

#include "dialogue/data_file.h"
#include "support/test_support.h"

namespace veska::dialogue {
namespace {

TEST(BailOut, OnlyALoneLeadingSlash) {
  EXPECT_TRUE(isBailOut(U"/"));
  EXPECT_TRUE(isBailOut(U"/    "));
  EXPECT_FALSE(isBailOut(U"/home/lab/site.rwl"));
  EXPECT_FALSE(isBailOut(U" /"));
  EXPECT_FALSE(isBailOut(U""));
  EXPECT_FALSE(isBailOut(U"a/"));
  EXPECT_FALSE(isBailOut(U"/\t"));  // a tab is part of a name
  EXPECT_FALSE(isBailOut(U"/ \t "));
}

TEST(DataFilePrompt, ATabIsPartOfTheNameOnlySpacesAreTrimmed) {
  test::TempDir dir;
  test::writeFile(dir.file("site.rwl"), "");
  test::writeFile(dir.file("ok.rwl"), "");
  test::ScriptedConsole console({"site.rwl\t", "site.rwl \t", "ok.rwl  "});
  runtime::Runtime rt(console);
  EXPECT_EQ(openDataFile(rt, runtime::Unit::UndatedSeries), U"ok.rwl");
  const std::string retry = "    *** FILE CANNOT BE OPENED. TRY AGAIN OR BAILOUT ***";
  const std::size_t first = console.output.find(retry);
  ASSERT_NE(first, std::string::npos);
  EXPECT_NE(console.output.find(retry, first + 1), std::string::npos);
}

TEST(DataFilePrompt, LongNamesOpenTheFileTheyNameNotACutOne) {
  test::TempDir dir;
  const std::string longName = std::string(45, 'x') + ".rwl";
  test::writeFile(dir.file(longName), "data\n");
  test::writeFile(dir.file(longName.substr(0, 40)), "a different file\n");
  test::ScriptedConsole console({longName + "   "});
  runtime::Runtime rt(console);
  EXPECT_EQ(openDataFile(rt, runtime::Unit::UndatedSeries), records::fromUtf8(longName));
  records::Text line;
  ASSERT_EQ(rt.units().input(runtime::Unit::UndatedSeries)->readLine(line), records::ReadStatus::Ok);
  EXPECT_EQ(line, U"data");
}

TEST(DataFilePrompt, ANameWithANulByteIsRefusedNotCutAtIt) {
  // A piped answer can hold a NUL byte; the system would see only the name
  // before it and open a different file.
  test::TempDir dir;
  test::writeFile(dir.file("site.rwl"), "a different file\n");
  test::writeFile(dir.file("ok.rwl"), "");
  test::ScriptedConsole console({std::string("site.rwl\0.old", 12), "ok.rwl"});
  runtime::Runtime rt(console);
  EXPECT_EQ(openDataFile(rt, runtime::Unit::UndatedSeries), U"ok.rwl");
  EXPECT_NE(console.output.find("*** FILE CANNOT BE OPENED. TRY AGAIN OR BAILOUT ***"), std::string::npos);
  EXPECT_EQ(rt.units().open(runtime::Unit::Report, std::string("out\0x", 5), runtime::OpenFor::Writing).reason, "Invalid argument");
  EXPECT_FALSE(std::filesystem::exists(dir.file("out")));
}

TEST(DataFilePrompt, EachFailedOpenShowsTheMessageThenThePromptAgain) {
  test::TempDir dir;
  test::writeFile(dir.file("ok.rwl"), "");
  test::ScriptedConsole console({"no1", "no2", "ok.rwl"});
  runtime::Runtime rt(console);
  openDataFile(rt, runtime::Unit::DatedSeries);
  const std::string prompt = " File name (/ to exit)                      ==> ";
  const std::string retry = "\r\n    *** FILE CANNOT BE OPENED. TRY AGAIN OR BAILOUT ***\r\n";
  EXPECT_EQ(console.output,
            prompt + "no1\r\n" + retry + prompt + "no2\r\n" + retry + prompt + "ok.rwl\r\n");
  EXPECT_NE(rt.units().input(runtime::Unit::DatedSeries), nullptr);
}

class ChoosingConsole : public test::ScriptedConsole {
 public:
  using ScriptedConsole::ScriptedConsole;
  std::optional<std::string> chooseFileForEmptyName() override { return chosen; }
  std::optional<std::string> chosen;
};

TEST(DataFilePrompt, EmptyNameOpensWhatTheHostChooses) {
  test::TempDir dir;
  test::writeFile(dir.file("picked.rwl"), "");
  ChoosingConsole console({"  "});
  console.chosen = dir.file("picked.rwl").string();
  runtime::Runtime rt(console);
  EXPECT_EQ(records::toUtf8(openDataFile(rt, runtime::Unit::UndatedSeries)), *console.chosen);
}

TEST(DataFilePrompt, BailOutEndsTheRunWithoutMessage) {
  test::ScriptedConsole console({"/"});
  runtime::Runtime rt(console);
  try {
    openDataFile(rt, runtime::Unit::UndatedSeries);
    FAIL() << "the prompt returned";
  } catch (const runtime::RunEnded& ended) {
    EXPECT_EQ(ended.status, 0);
  }
  EXPECT_EQ(console.output, " File name (/ to exit)                      ==> /\r\n");
  EXPECT_EQ(console.terminated, 0);
}

}  // namespace
}  // namespace veska::dialogue
