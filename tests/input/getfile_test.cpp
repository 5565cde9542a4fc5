#include <gtest/gtest.h>

#include "input/blanks.h"
#include "input/getfile.h"
#include "support/test_support.h"

namespace veska::input {
namespace {

TEST(Blanks, SetsOnlyTheFirstNCharacters) {
  struct Case {
    long long n;
    std::u32string expected;
  };
  const Case cases[] = {{0, U"abcd"}, {-3, U"abcd"}, {2, U"  cd"}, {4, U"    "}, {99, U"    "}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.n);
    std::u32string text = U"abcd";
    BLANKS(text, c.n);
    EXPECT_EQ(text, c.expected);
  }
}

TEST(BailOut, OnlyALoneLeadingSlash) {
  EXPECT_TRUE(isBailOut(U"/"));
  EXPECT_TRUE(isBailOut(U"/    "));
  EXPECT_FALSE(isBailOut(U"/home/lab/site.rwl"));
  EXPECT_FALSE(isBailOut(U" /"));
  EXPECT_FALSE(isBailOut(U""));
  EXPECT_FALSE(isBailOut(U"a/"));
}

TEST(Getfile, LongNamesOpenTheFileTheyNameNotACutOne) {
  test::TempDir dir;
  const std::string longName = std::string(45, 'x') + ".rwl";
  test::writeFile(dir.file(longName), "data\n");
  test::writeFile(dir.file(longName.substr(0, 40)), "a different file\n");
  test::ScriptedConsole console({longName + "   "});
  io::Runtime rt(console);
  std::u32string name(40, U' ');
  GETFILE(rt, name, U'O', io::kUndatedUnit);
  EXPECT_EQ(name, io::fromUtf8(longName));
  io::Text record;
  ASSERT_EQ(rt.readUnit(io::kUndatedUnit, record, 4), io::ReadStatus::Ok);
  EXPECT_EQ(record, U"data");
}

TEST(Getfile, EachFailedOpenShowsTheMessageThenThePromptAgain) {
  test::TempDir dir;
  test::writeFile(dir.file("ok.rwl"), "");
  test::ScriptedConsole console({"no1", "no2", "ok.rwl"});
  io::Runtime rt(console);
  std::u32string name(40, U' ');
  GETFILE(rt, name, U'o', io::kDatedUnit);
  const std::string prompt = " File name (/ to exit)                      ==> ";
  const std::string retry = "\r\n    *** FILE CANNOT BE OPENED. TRY AGAIN OR BAILOUT ***\r\n";
  EXPECT_EQ(console.output,
            prompt + "no1\r\n" + retry + prompt + "no2\r\n" + retry + prompt + "ok.rwl\r\n");
  EXPECT_NE(rt.units().input(io::kDatedUnit), nullptr);
}

class ChoosingConsole : public test::ScriptedConsole {
 public:
  using ScriptedConsole::ScriptedConsole;
  std::optional<std::string> chooseFileForEmptyName() override { return chosen; }
  std::optional<std::string> chosen;
};

TEST(Getfile, EmptyNameOpensWhatTheHostChooses) {
  test::TempDir dir;
  test::writeFile(dir.file("picked.rwl"), "");
  ChoosingConsole console({"  "});
  console.chosen = dir.file("picked.rwl").string();
  io::Runtime rt(console);
  std::u32string name(40, U' ');
  GETFILE(rt, name, U'O', io::kUndatedUnit);
  EXPECT_EQ(io::toUtf8(name), *console.chosen);
}

TEST(Getfile, BailOutEndsTheRunWithoutMessage) {
  test::ScriptedConsole console({"/"});
  io::Runtime rt(console);
  std::u32string name(40, U' ');
  try {
    GETFILE(rt, name, U'O', io::kUndatedUnit);
    FAIL() << "GETFILE returned";
  } catch (const io::RunEnded& ended) {
    EXPECT_EQ(ended.status, 0);
  }
  EXPECT_EQ(console.output, " File name (/ to exit)                      ==> /\r\n");
  EXPECT_EQ(console.terminated, 0);
}

}  // namespace
}  // namespace veska::input
