// A folder of reference files read through a stand-in reader: what becomes
// a reference, what is refused and why, and what the filter leaves out.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <fstream>

#include "library/library_folder.h"
#include "library/library_fixture.h"
#include "records/text.h"
#include "support/test_support.h"

namespace veska::library {
namespace {

FileSeries fileSeries(const std::string& id, std::int32_t first, std::vector<float> values, bool chronology) {
  FileSeries s;
  s.series.id = records::fitRecord(records::fromUtf8(id), 8);
  s.series.firstYear = first;
  s.series.values = std::move(values);
  s.chronology = chronology;
  return s;
}

TEST(LibraryFolder, EveryPlainFileGivesItsReferencesOrItsReason) {
  test::TempDir dir;
  for (const char* name : {"a-chron.crn", "b-site.rwl", "c-copy.crn", "d-two.rwl", "e-bad.rwl", "f-pine.crn", ".hidden"})
    test::writeFile(dir.file(name), "x");
  std::filesystem::create_directory(dir.file("sub"));

  testing::Forest f(1500, 300, 11);
  const std::vector<float> chron = f.widths(1500, 300, 0.3f);
  const auto header = [](const std::string& species) {
    std::string first = "SITE   1 SOMEWHERE                                           ";
    first += species;
    return std::vector<std::u32string>{records::fromUtf8(first),
                                       records::fromUtf8("SITE   2 HERE         OAK               300M  4652-01101    __    1500 1799")};
  };
  const FileReader reader = [&](const std::filesystem::path& p) -> std::variant<FileContents, std::string> {
    const std::string name = p.filename().string();
    FileContents c;
    if (name == "a-chron.crn" || name == "c-copy.crn") {
      c.titleLines = header("QUSP");
      c.series = {fileSeries("CHRON", 1500, chron, true)};
    } else if (name == "b-site.rwl") {
      c.titleLines = header("QURO");
      for (const char* id : {"T1", "T2", "T3"}) c.series.push_back(fileSeries(id, 1550, f.widths(1550, 200, 1), false));
    } else if (name == "d-two.rwl") {
      c.series = {fileSeries("T1", 1550, f.widths(1550, 100, 1), false), fileSeries("T2", 1550, f.widths(1550, 100, 1), false)};
    } else if (name == "f-pine.crn") {
      c.titleLines = header("PISY");
      c.series = {fileSeries("P1", 1500, f.widths(1500, 100, 1), true), fileSeries("P1", 1500, f.widths(1500, 100, 1), true)};
    } else {
      return std::string("Input/output error");
    }
    return c;
  };

  std::vector<std::size_t> seen;
  const auto loaded = loadLibrary(dir.path(), *SpeciesFilter::parse("QU"), reader, [&](std::size_t done, std::size_t total) {
    seen.push_back(done);
    EXPECT_EQ(total, 6u);
    return true;
  });
  EXPECT_EQ(seen, (std::vector<std::size_t>{1, 2, 3, 4, 5, 6}));
  const Library& lib = loaded.library;
  ASSERT_EQ(lib.references.size(), 2u);
  EXPECT_EQ(lib.references[0].name, "a-chron.crn");
  EXPECT_EQ(lib.references[0].species, "QUSP");
  ASSERT_TRUE(lib.references[0].mapped());
  EXPECT_NEAR(lib.references[0].where->latitude, 46 + 52 / 60.0, 1e-9);
  EXPECT_EQ(lib.references[1].name, "b-site.rwl");
  EXPECT_EQ(lib.references[1].treeCount, 3);
  EXPECT_EQ(lib.references[1].firstYear, 1550);
  ASSERT_EQ(lib.duplicates.size(), 1u);
  EXPECT_EQ(lib.duplicates[0].dropped, "c-copy.crn");
  EXPECT_EQ(lib.filteredOut, 2);  // the two pine chronologies
  ASSERT_EQ(lib.refused.size(), 3u);
  EXPECT_EQ(lib.refused[0].name, "d-two.rwl");
  EXPECT_EQ(lib.refused[0].reason, "its 2 ring-width series never cover a year 3 together");
  EXPECT_EQ(lib.refused[1].name, "e-bad.rwl");
  EXPECT_EQ(lib.refused[1].reason, "Input/output error");
  EXPECT_EQ(lib.refused[2].name, "sub");
}

TEST(LibraryFolder, SeveralChronologiesInOneFileAreNamedByIdentifier) {
  testing::Forest f(1500, 300, 12);
  FileContents c;
  c.series = {fileSeries("ITAL00", 1500, f.widths(1500, 100, 1), true), fileSeries("ITAL00", 1500, f.widths(1500, 100, 1), true),
              fileSeries("T1", 1500, f.widths(1500, 100, 1), false), fileSeries("T2", 1500, f.widths(1500, 100, 1), false),
              fileSeries("T3", 1500, f.widths(1500, 100, 1), false)};
  const FileReferences found = referencesOf("abetone.crn", c);
  ASSERT_EQ(found.references.size(), 3u);
  EXPECT_EQ(found.references[0].name, "abetone.crn:mean");
  EXPECT_EQ(found.references[1].name, "abetone.crn:ITAL00");
  EXPECT_EQ(found.references[2].name, "abetone.crn:ITAL00/2");
  EXPECT_FALSE(found.refusal.has_value());
}

// Entries that are no plain file are listed with what they are, in name
// order among the files refused, and never opened (a FIFO would hang).
TEST(LibraryFolder, EveryEntryNotReadIsListedWithTheReason) {
  test::TempDir dir;
  test::writeFile(dir.file("b-file.rwl"), "x");
  std::filesystem::create_directory(dir.file("a-sub"));
  std::filesystem::create_symlink("gone.rwl", dir.file("c-dangling.rwl"));
  std::filesystem::create_symlink("b-file.rwl", dir.file("d-link.rwl"));
  ASSERT_EQ(::mkfifo(dir.file("e-fifo.rwl").c_str(), 0600), 0);
  std::filesystem::create_symlink("/dev/null", dir.file("f-device.rwl"));
  std::filesystem::create_symlink(".", dir.file("g-here"));
  std::vector<std::string> read;
  const auto loaded = loadLibrary(dir.path(), SpeciesFilter(), [&](const std::filesystem::path& p) {
    read.push_back(p.filename().string());
    return std::variant<FileContents, std::string>(std::string("not a tree-ring file"));
  });
  EXPECT_EQ(read, (std::vector<std::string>{"b-file.rwl", "d-link.rwl"}));
  std::vector<std::string> listed;
  for (const RefusedFile& f : loaded.library.refused) listed.push_back(f.name + ": " + f.reason);
  EXPECT_EQ(listed, (std::vector<std::string>{
                        "a-sub: a folder (references are read from the library folder only)",
                        "b-file.rwl: not a tree-ring file",
                        "c-dangling.rwl: a link to nothing",
                        "d-link.rwl: not a tree-ring file",
                        "e-fifo.rwl: a FIFO, not a file",
                        "f-device.rwl: a device, not a file",
                        "g-here: a folder (references are read from the library folder only)",
                    }));
}

TEST(LibraryFolder, AFolderThatCannotBeListedSaysWhy) {
  const auto loaded = loadLibrary("/nonexistent/library/folder", SpeciesFilter(), [](const std::filesystem::path&) {
    return std::variant<FileContents, std::string>(std::string("unused"));
  });
  EXPECT_FALSE(loaded.problem.empty());
  EXPECT_TRUE(loaded.library.references.empty());
}

}  // namespace
}  // namespace veska::library
