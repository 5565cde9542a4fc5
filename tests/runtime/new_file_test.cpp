// Files veska writes beside its report: written into a new file that takes
// the name only when complete; a link, a FIFO, a device or a folder refused
// without being opened; one answer to "are these one file?".
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include "runtime/new_file.h"
#include "runtime/same_file.h"
#include "support/test_support.h"

namespace veska::runtime {
namespace {

namespace fs = std::filesystem;
using test::readFile;
using test::TempDir;
using test::writeFile;

std::vector<std::string> namesIn(const fs::path& dir) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(dir)) names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

TEST(NewFile, ReplacesOnlyAPlainFileAndNeverOpensAnythingElse) {
  TempDir dir;
  writeFile(dir.file("target.txt"), "kept\n");
  fs::create_symlink("target.txt", dir.file("link.csv"));
  fs::create_symlink("nowhere.txt", dir.file("dangling.csv"));
  fs::create_directory(dir.file("folder"));
  ASSERT_EQ(::mkfifo(dir.file("fifo.csv").c_str(), 0600), 0);
  const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::string socketPath = dir.file("socket.csv").string();
  // A socket's name must fit its address; a long temporary folder skips it.
  bool socketMade = false;
  if (socketPath.size() < sizeof address.sun_path) {
    socketPath.copy(address.sun_path, socketPath.size());
    socketMade = ::bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
  }
  struct Row {
    std::string name;
    std::string reason;
  };
  std::vector<Row> rows = {
      {dir.file("link.csv"), "A link or not a plain file"},
      {dir.file("dangling.csv"), "A link or not a plain file"},
      {dir.file("folder"), "A link or not a plain file"},
      {dir.file("folder/"), "Is a directory"},
      {dir.file("fifo.csv"), "A link or not a plain file"},  // a blocking open would hang here
      {"/dev/null", "A link or not a plain file"},
      {dir.file("missing/t.csv"), "No such file or directory"},
      {dir.file("target.txt/t.csv"), "Not a directory"},
  };
  if (socketMade) rows.push_back({socketPath, "A link or not a plain file"});
  const std::vector<std::string> before = namesIn(dir.path());
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(outputPathProblem(row.name), row.reason);
    EXPECT_EQ(writeNewFile(row.name, "new\n"), row.reason);
  }
  ::close(sock);
  EXPECT_EQ(readFile(dir.file("target.txt")), "kept\n");
  EXPECT_FALSE(fs::exists(dir.file("nowhere.txt")));
  EXPECT_EQ(namesIn(dir.path()), before);
}

TEST(NewFile, AFailedWriteLeavesTheOldFileAsItWasAndNoCutFile) {
  TempDir dir;
  writeFile(dir.file("table.csv"), "the earlier table\n");
  ::chmod(dir.file("table.csv").c_str(), 0640);
  // A file size limit fails writes as a full disk does (EFBIG instead of
  // ENOSPC), in this process only.
  rlimit old{};
  ::getrlimit(RLIMIT_FSIZE, &old);
  const auto oldSignal = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = old;
  small.rlim_cur = 64 * 1024;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  std::string reason;
  {
    NewFile file(dir.file("table.csv"));
    ASSERT_TRUE(file.ok()) << file.error();
    const std::string row(99, 'x');
    for (int k = 0; k < 2000 && file.write(row + "\n"); ++k) {
    }
    reason = file.commit();
  }
  ::setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, oldSignal);
  EXPECT_EQ(reason, "File too large");
  EXPECT_EQ(readFile(dir.file("table.csv")), "the earlier table\n");
  EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"table.csv"});

  // Complete, it takes the name with the old file's permissions; another
  // name of the old file (a hard link) keeps the old contents.
  fs::create_hard_link(dir.file("table.csv"), dir.file("other-name.csv"));
  EXPECT_EQ(writeNewFile(dir.file("table.csv"), "the new table\n"), "");
  EXPECT_EQ(readFile(dir.file("table.csv")), "the new table\n");
  EXPECT_EQ(readFile(dir.file("other-name.csv")), "the earlier table\n");
  struct stat st {};
  ASSERT_EQ(::stat(dir.file("table.csv").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  EXPECT_EQ(namesIn(dir.path()), (std::vector<std::string>{"other-name.csv", "table.csv"}));
}

TEST(SameFile, OneFileByAnyNameOrLinkEvenBeforeItExists) {
  TempDir dir;
  writeFile(dir.file("a.txt"), "a");
  writeFile(dir.file("b.txt"), "b");
  fs::create_hard_link(dir.file("a.txt"), dir.file("hard.txt"));
  fs::create_symlink("a.txt", dir.file("soft.txt"));
  fs::create_symlink("later.txt", dir.file("to-later.txt"));
  fs::create_directory(dir.file("sub"));
  const std::string d = dir.path().string();
  struct Row {
    std::string a, b;
    bool same;
  };
  const Row rows[] = {
      {d + "/a.txt", d + "/hard.txt", true},
      {d + "/a.txt", d + "/soft.txt", true},
      {d + "/a.txt", d + "/sub/../a.txt", true},
      {d + "/a.txt", d + "/b.txt", false},
      {d + "/later.txt", d + "/to-later.txt", true},  // neither exists yet as a file
      {d + "/later.txt", d + "/./sub/../later.txt", true},
      {d + "/later.txt", d + "/other.txt", false},
      {d + "/a.txt", d + "/later.txt", false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.a + " / " + row.b);
    EXPECT_EQ(sameFile(row.a, row.b), row.same);
    EXPECT_EQ(sameFile(row.b, row.a), row.same);
  }
}

}  // namespace
}  // namespace veska::runtime
