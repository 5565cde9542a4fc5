// Library files read from disk: what each layout gives (a chronology as it
// is, trees for a site mean), told apart by how the file reads, with the
// species and places of Heidelberg headers; files that give nothing say why.
#include "library/reference_reader.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "library/library_folder.h"
#include "support/test_support.h"

namespace veska::library {
namespace {

namespace fs = std::filesystem;

const fs::path kSamples = fs::path(VESKA_SOURCE_DIR) / "data";

// Two Heidelberg blocks: a tree and a site's mean curve, each with its keys.
const char* const kHeidelberg =
    "HEADER:\nKeyCode=K1\nDateBegin=1500\nLength=3\nDataFormat=Tree\nSpecies=QUSP\n"
    "Latitude=51.298236\nLongitude=4.269711\nDATA:Single\n   250   273   227\n"
    "HEADER:\nKeyCode=MEAN\nDateBegin=1490\nLength=2\nDataFormat=Chrono\nSpecies=QUPE\n"
    "Latitude=-95\nLongitude=x\nDATA:Quadro\n   100     3     1     1   120     3     1     1\n";

// A TRiDaS file: a site's chronology first, then one dated tree of an oak
// element with its place.
const char* const kTridas =
    "<?xml version=\"1.0\"?>\n<tridas xmlns=\"http://www.tridas.org/1.2.2\" xmlns:gml=\"http://www.opengis.net/gml\">"
    "<project><title>p</title><derivedSeries><title>SITE</title><interpretation><firstYear suffix=\"AD\">1600"
    "</firstYear></interpretation><values><variable normalTridas=\"ring width\"/><unitless/><value value=\"0.9\"/>"
    "<value value=\"1.1\"/></values></derivedSeries><object><title>o</title><element><title>e</title>"
    "<taxon>Quercus robur</taxon><location><locationGeometry><gml:Point srsName=\"EPSG:4326\">"
    "<gml:pos>47.25 6.02</gml:pos></gml:Point></locationGeometry></location><sample><title>s</title><radius>"
    "<title>r</title><measurementSeries><title>T1</title><interpretation><firstYear suffix=\"AD\">1610</firstYear>"
    "</interpretation><values><variable normalTridas=\"ring width\"/><unit normalTridas=\"micrometres\"/>"
    "<value value=\"1200\"/><value value=\"900\"/></values></measurementSeries></radius></sample></element>"
    "</object></project></tridas>\n";

TEST(ReferenceReader, EachLayoutGivesChronologiesOrTrees) {
  test::TempDir dir;
  test::writeFile(dir.file("site.fh"), kHeidelberg);
  test::writeFile(dir.file("site.xml"), kTridas);
  test::writeFile(dir.file("site.csv"), "Year,A,B\n1700,1.2,0.9\n1701,1.4,1.1\n");
  struct Case {
    fs::path file;
    std::size_t series;
    bool chronology;  // of the first series
  };
  const Case cases[] = {{kSamples / "index.crn", 2, true},
                        {kSamples / "dated.rwl", 5, false},
                        {dir.file("site.csv"), 2, false},
                        {dir.file("site.fh"), 2, false},
                        {dir.file("site.xml"), 2, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file.string());
    const auto read = readReferenceFile(c.file);
    ASSERT_TRUE(std::holds_alternative<FileContents>(read)) << std::get<std::string>(read);
    const FileContents& contents = std::get<FileContents>(read);
    ASSERT_EQ(contents.series.size(), c.series);
    EXPECT_EQ(contents.series[0].chronology, c.chronology);
  }
  // The decadal header's lines come back as written; Heidelberg keys per series.
  const FileContents crn = std::get<FileContents>(readReferenceFile(kSamples / "index.crn"));
  ASSERT_EQ(crn.titleLines.size(), 6u);  // three for each chronology
  EXPECT_EQ(crn.titleLines[0].substr(0, 9), U"VSKSTD 1 ");
  const FileContents fh = std::get<FileContents>(readReferenceFile(dir.file("site.fh")));
  EXPECT_EQ(fh.series[0].species, "QUSP");
  ASSERT_TRUE(fh.series[0].where.has_value());
  EXPECT_DOUBLE_EQ(fh.series[0].where->latitude, 51.298236);
  EXPECT_TRUE(fh.series[1].chronology);
  EXPECT_EQ(fh.series[1].species, "QUPE");
  EXPECT_FALSE(fh.series[1].where.has_value());  // a longitude that is no number
  // TRiDaS: the element's taxon as a species code, and its place, for the map.
  const FileContents xml = std::get<FileContents>(readReferenceFile(dir.file("site.xml")));
  EXPECT_FALSE(xml.series[1].chronology);
  EXPECT_EQ(xml.series[1].species, "QURO");
  ASSERT_TRUE(xml.series[1].where.has_value());
  EXPECT_DOUBLE_EQ(xml.series[1].where->longitude, 6.02);
}

TEST(ReferenceReader, FilesThatGiveNothingSayWhy) {
  test::TempDir dir;
  std::string notes;
  for (int k = 0; k < 30; ++k) notes += "A line of notes about the cores, number " + std::to_string(k) + ".\n";
  test::writeFile(dir.file("notes.md"), notes);
  ASSERT_EQ(::mkfifo(dir.file("pipe").c_str(), 0600), 0);
  const std::pair<fs::path, std::string> cases[] = {{dir.file("notes.md"), "more than 25 title lines"},
                                                    {dir.file("pipe"), "Not a regular file"},
                                                    {dir.file("gone.rwl"), "No such file or directory"}};
  for (const auto& [file, reason] : cases) {
    SCOPED_TRACE(file.string());
    const auto read = readReferenceFile(file);  // never waits for a writer of the pipe
    ASSERT_TRUE(std::holds_alternative<std::string>(read));
    EXPECT_EQ(std::get<std::string>(read), reason);
  }
}

TEST(ReferenceReader, EveryRealFileGivesItsKindOfReference) {
  const auto real = test::realDataDir();
  if (!real) GTEST_SKIP() << "the shared real data files are not present beside the checkout";
  const LoadedLibrary loaded = loadLibrary(*real, SpeciesFilter(), readReferenceFile);
  ASSERT_TRUE(loaded.problem.empty()) << loaded.problem;
  for (const Reference& r : loaded.library.references) {
    SCOPED_TRACE(r.name);
    // Every ring-width file is a site mean, every chronology file a
    // chronology as it is; the ship timbers' file holds both.
    const bool widths = r.name.find("_rwl.rwl") != std::string::npos || r.name.ends_with(".fh:mean");
    EXPECT_EQ(r.treeCount > 0, widths);
    EXPECT_GE(r.values.size(), 50u);
  }
  std::size_t means = 0;
  for (const Reference& r : loaded.library.references) means += r.treeCount > 0;
  EXPECT_EQ(means, 15u);  // 14 ring-width files and the ship timbers' trees
}

}  // namespace
}  // namespace veska::library
