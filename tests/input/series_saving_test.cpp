// Saving a series: the extension chooses the layout, the run's own files are
// never replaced (by any of their names), and a save that fails leaves the
// file it would have replaced as it was.
#include "input/series_saving.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>

#include <sys/resource.h>

#include "support/test_support.h"

namespace veska::input {
namespace {

Series oak() {
  Series s;
  s.id = U"OAK01   ";
  s.firstYear = 1985;
  s.unit = ValueUnit::Hundredths;
  s.values = {valueOf(123, ValueUnit::Hundredths), valueOf(145, ValueUnit::Hundredths)};
  return s;
}

TEST(SeriesSaving, TheExtensionChoosesTheLayout) {
  test::TempDir dir;
  const struct {
    const char* name;
    const char* opens;
  } rows[] = {{"a.rwl", "OAK01   1985"}, {"b.RAW", "OAK01   1985"}, {"c.fh", "HEADER:\n"}, {"d.Csv", "Year,\"OAK01\"\n"}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const SaveResult saved = saveSeriesFile(oak(), dir.file(row.name).string(), {});
    ASSERT_TRUE(saved.ok) << saved.message;
    EXPECT_TRUE(test::readFile(dir.file(row.name)).starts_with(row.opens));
  }
  const SaveResult other = saveSeriesFile(oak(), dir.file("e.txt").string(), {});
  EXPECT_FALSE(other.ok);
  EXPECT_NE(other.message.find(".rwl"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(dir.file("e.txt")));
}

TEST(SeriesSaving, NeverReplacesAKeptFileByAnyOfItsNames) {
  test::TempDir dir;
  test::writeFile(dir.file("site.rwl"), "the data\n");
  std::filesystem::create_symlink("site.rwl", dir.file("link.rwl"));
  std::filesystem::create_directory(dir.file("sub"));
  const std::vector<KeptFile> kept = {{"site.rwl", "a data file of this run"}, {"VESKA.OUT", "the run's report"}};
  for (const std::string& name : std::vector<std::string>{"site.rwl", "link.rwl", "./sub/../site.rwl", dir.file("site.rwl").string()}) {
    SCOPED_TRACE(name);
    const SaveResult saved = saveSeriesFile(oak(), name, kept);
    EXPECT_FALSE(saved.ok);
    EXPECT_NE(saved.message.find("a data file of this run"), std::string::npos) << saved.message;
  }
  EXPECT_EQ(test::readFile(dir.file("site.rwl")), "the data\n");
  EXPECT_TRUE(std::filesystem::is_symlink(dir.file("link.rwl")));
}

// The disk fills up halfway (a file-size limit stands in for it): the file
// of that name keeps its old text, and no half-written file is left beside it.
TEST(SeriesSaving, AFailedWriteLeavesTheEarlierFileAndNoScratch) {
  test::TempDir dir;
  test::writeFile(dir.file("old.rwl"), "kept\n");
  Series longer = oak();
  longer.values.assign(400, valueOf(250, ValueUnit::Hundredths));
  rlimit previous{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &previous), 0);
  const auto handler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = previous;
  small.rlim_cur = 1000;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const SaveResult saved = saveSeriesFile(longer, dir.file("old.rwl").string(), {});
  ::setrlimit(RLIMIT_FSIZE, &previous);
  std::signal(SIGXFSZ, handler);
  EXPECT_FALSE(saved.ok);
  EXPECT_NE(saved.message.find("File too large"), std::string::npos) << saved.message;
  EXPECT_EQ(test::readFile(dir.file("old.rwl")), "kept\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

}  // namespace
}  // namespace veska::input
