// TRiDaS, Besançon, Sheffield, CATRAS and NOAA template files: recognised by their
// content, loaded into the same table as the other layouts, each series that
// a file does not say clearly refused with a line naming the reason.
#include <cmath>

#include "input/series_file.h"
#include "input_fixture.h"

namespace veska::input::testing {
namespace {

std::string sheffield(const std::string& dating, int start, const std::string& variable, const std::string& values,
                      int count) {
  return "Site 12 timber\n" + std::to_string(count) + "\n" + dating + "\n" + std::to_string(start) +
         "\nR\n0\nN\ncomment\n?\n52.5 -1.25\n?\n?\n0\n0\nN\nN\nphase\nT12\nM\nQUSP\n?\n" + variable + "\n" + values;
}

std::string tridasSeries(const std::string& title, const std::string& firstYear, const std::string& variable,
                         const std::string& unit, const std::string& values) {
  return "<measurementSeries><title>" + title + "</title><identifier>x</identifier>" + firstYear +
         "<values><variable normalTridas=\"" + variable + "\"/>" + unit + values + "</values></measurementSeries>";
}

std::string tridas(const std::string& series) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<tridas xmlns=\"http://www.tridas.org/1.2.2\" "
         "xmlns:gml=\"http://www.opengis.net/gml\">\n<project><title>p</title><object><title>o</title>"
         "<element><title>e</title><taxon>Quercus robur</taxon><location><locationGeometry>"
         "<gml:Point srsName=\"EPSG:4326\"><gml:pos>47.25 6.02</gml:pos></gml:Point></locationGeometry>"
         "</location><sample><title>s</title><radius><title>r</title>\n" +
         series + "\n</radius></sample></element></object></project></tridas>\n";
}

// A CATRAS file: the 128-byte header (short name at byte 32, "CAT" at 40,
// the count at 44 and the historical first year at 54, little-endian) and
// the values as 16-bit words; `kept` of them written.
std::string catras(const std::string& shortName, int year, const std::vector<int>& values, std::size_t kept) {
  std::string bytes(128, '\0');
  bytes.replace(0, 9, "long name");
  bytes.replace(32, shortName.size(), shortName);
  bytes.replace(40, 3, "CAT");
  const auto put = [&](std::size_t at, int v) {
    bytes[at] = static_cast<char>(v & 0xFF);
    bytes[at + 1] = static_cast<char>((v >> 8) & 0xFF);
  };
  put(44, static_cast<int>(values.size()));
  put(54, year);
  for (std::size_t k = 0; k < kept; ++k) {
    bytes += "  ";
    put(bytes.size() - 2, values[k]);
  }
  return bytes;
}

const std::string kUnit100 = "<unit normalTridas=\"1/100th millimetres\"/>";
const std::string kThreeValues = "<value value=\"120\"/><value value=\"-1\"/><value value=\"95\"/>";

struct Case {
  const char* name;
  std::string bytes;
  const char* layoutLine;
  // Every series loaded: "identifier first-year count", then its first
  // value, species, latitude and longitude.
  std::vector<std::string> series;
  float firstValue;
  const char* species;
  const char* latitude;
  const char* longitude;
  std::vector<std::string> refused;  // the console lines of the series refused, in order
};

class ExchangeLayoutsTest : public InputTest {};

TEST_F(ExchangeLayoutsTest, EachLayoutLoadsItsSeriesAndRefusesWhatItDoesNotSayClearly) {
  const Case cases[] = {
      {"sheffield dated",
       sheffield("A", 10784, "D", "391\n454\n309\n", 3),
       " Reading a Sheffield file",
       {"T12 784 3"},
       391 * 0.01f, "QUSP", "52.5", "-1.25",
       {}},
      {"sheffield relative, early wood",
       sheffield("R", 1, "E", "10\n20\n", 2),
       " Reading a Sheffield file",
       {},
       0, "", "", "",
       {"    *** Series T12 holds variable E, not ring widths (D): not loaded ***"}},
      {"sheffield cut short",
       sheffield("R", 1, "D", "10\n20\n", 5),
       " Reading a Sheffield file",
       {},
       0, "", "", "",
       {"    *** Series T12 holds 2 of the 5 rings its header counts: not loaded ***"}},
      {"besancon: historical years, empty slots, signatures",
       "< BESANCON\n. ABC/1\n  longueur: 5\n  origine: -2\n  terme: 3\n  esp QUERCUS\nVAL  :  ABC/1\n"
       " , 101/ 102* , 104\n    ;\n"
       ". UNDATED\nLON 3\nvaleurs\n 7 8\n 9 ;\n"
       ". NOEND\nLON 2\nVAL\n 1 2\n"
       ". CENTRED\nVAL EBES: CENTRED\n -1.5 2.25 ;\n",
       " Reading a Besan\u00e7on file",
       {"ABC/1 0 2", "UNDATED 1 3"},
       101 * 0.01f, "QUERCUS", "", "",
       {"    *** Series NOEND has no \";\" after its values: not loaded ***",
        "    *** Series CENTRED holds centred values (EBES), not ring widths: not loaded ***"}},
      {"noaa template",
       "# Site\n# Species_Name: Pinus sylvestris L.\n# Northernmost_Latitude: 57.33\n"
       "# Easternmost_Longitude: -5.67\n## age_CE age,,,year Common Era,,tree ring,,,N,\n"
       "## T1\tring width,,,millimeter,,tree ring,,,N,\n## T2\tlatewood density,,,gram per decimeter,,,,,N,\n"
       "## T3\tring width,,,furlong,,,,,N,\n"
       "age_CE\tT1\tT2\tT3\n1900\tNaN\t0.5\t1\n1901\t1.25\t0.4\t1\n1902\t-999\t0.3\t1\n1903\t0.75\t0.2\t1\n"
       "1904\tNaN\tNaN\t1\n",
       " Reading a NOAA template file",
       {"T1 1901 1"},
       1.25f, "Pinus sylvestris L.", "57.33", "-5.67",
       {"    *** Series T2 is latewood density, not ring widths or indices: not loaded ***",
        "    *** Series T3 has units veska does not know (furlong): not loaded ***"}},
      {"noaa template of -999 alone",
       "# Site\n## T1\tring width,,,millimeter,,,,,N,\nage_CE\tT1\n1900\t-999\n1901\tNaN\n",
       " Reading a NOAA template file",
       {},
       0, "", "", "",
       {"    *** Every value of the table is missing (NaN, or -999 and other values below 0): no series read ***"}},
      {"tridas",
       tridas(tridasSeries("AD", "<interpretation><firstYear suffix=\"AD\">1500</firstYear></interpretation>",
                           "ring width", kUnit100, kThreeValues) +
              tridasSeries("BC", "<interpretation><firstYear suffix=\"BC\">5</firstYear></interpretation>",
                           "ring width", "<unit normalTridas=\"micrometres\"/>", kThreeValues) +
              tridasSeries("UNDATED", "", "ring width", kUnit100, kThreeValues) +
              tridasSeries("DENSITY", "<interpretation><firstYear>1</firstYear></interpretation>", "ring density",
                           kUnit100, kThreeValues) +
              tridasSeries("ODDUNIT", "<interpretation><firstYear>1</firstYear></interpretation>", "ring width",
                           "<unit>Wierd units</unit>", kThreeValues) +
              tridasSeries("WORDS", "<interpretation><firstYear>1</firstYear></interpretation>", "ring width",
                           kUnit100, "<value value=\"ABC\"/>")),
       " Reading a TRiDaS file",
       {"AD 1500 1", "BC -4 1"},
       120 * 0.01f, "Quercus robur", "47.25", "6.02",
       {"    *** Series UNDATED is undated and gives no first year: not loaded ***",
        "    *** Series DENSITY holds ring density, not ring widths: not loaded ***",
        "    *** Series ODDUNIT has units veska does not know (Wierd units): not loaded ***",
        "    *** Series WORDS has a value that is no number (ABC): not loaded ***"}},
      {"catras, 5 BC, a missing value",
       catras("SEED0001", -5, {120, 95, -1, 80, 101, 77}, 6),
       " Reading a CATRAS file",
       {"SEED0001 -1 3"},
       80 * 0.01f, "", "", "",
       {}},
      {"catras cut short",
       catras("CUT", 1500, {120, 95, 80}, 2),
       " Reading a CATRAS file",
       {},
       0, "", "", "",
       {"    *** Series CUT holds fewer values than its header counts (3): not loaded ***"}},
      {"tridas not well-formed",
       "<?xml version=\"1.0\"?>\n<tridas xmlns=\"http://www.tridas.org/1.2.2\">\n<project>\n",
       " Reading a TRiDaS file",
       {},
       0, "", "", "",
       {"    *** The TRiDaS file is not well-formed XML (line 4): no series read ***"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    openData(c.bytes);
    const SeriesTable table = load();
    EXPECT_FALSE(stop_);
    const auto lines = consoleLines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], c.layoutLine);
    std::vector<std::string> got;
    for (const Series& s : table) {
      std::string id = utf8(s.id);
      id.erase(id.find_last_not_of(' ') + 1);
      got.push_back(id + " " + std::to_string(s.firstYear) + " " + std::to_string(s.values.size()));
    }
    EXPECT_EQ(got, c.series);
    std::vector<std::string> refused;
    for (const std::string& line : lines)
      if (line.find("not loaded") != std::string::npos || line.find("no series read") != std::string::npos)
        refused.push_back(line);
    EXPECT_EQ(refused, c.refused);
    if (table.empty()) continue;
    EXPECT_EQ(table[0].values[0], c.firstValue);
    EXPECT_EQ(table[0].keys.species, c.species);
    EXPECT_EQ(table[0].keys.latitude, c.latitude);
    EXPECT_EQ(table[0].keys.longitude, c.longitude);
    // A value not measured leaves each series to its longest stretch.
    for (const Series& s : table)
      for (float v : s.values) EXPECT_GE(v, 0.0f);
  }
}

// The public test collection of these layouts: what each file gives.
TEST_F(ExchangeLayoutsTest, SharedFilesReadOrAreRefusedWithAReason) {
  const auto real = test::realDataDir();
  if (!real) GTEST_SKIP() << "the shared real data files are not present beside the checkout";
  const auto formats = real->parent_path() / "formats";
  const auto noaa = real->parent_path() / "noaa-template";
  if (!std::filesystem::exists(formats) || !std::filesystem::exists(noaa))
    GTEST_SKIP() << "the shared files of the other layouts are not present beside the checkout";
  struct Expected {
    std::filesystem::path file;
    std::size_t series;   // loaded
    std::size_t refused;  // lines saying a series or the file gave nothing
  };
  const Expected expected[] = {
      {formats / "besancon/BesanconNew.txt", 6, 0},
      {formats / "besancon/CO20050101-LCE-AjC.txt", 36, 0},
      {formats / "besancon/Hist20050126-EBes.txt", 0, 142},
      {formats / "besancon/ancient-series-ex2.txt", 1, 1},
      {formats / "besancon/ancient-chronology-ex-1.txt", 1, 0},
      {formats / "sheffield/HunBoat.d", 1, 0},
      {formats / "catras/UAKK0530.CAT", 1, 0},
      {formats / "sheffield/igor.d", 0, 1},
      {formats / "tridas/Tridas1.xml", 3, 0},
      {formats / "tridas/StringRingValues.xml", 0, 1},
      {formats / "tridas/othervar.xml", 0, 1},
      {noaa / "brit048t-noaa.rwl", 0, 1},
  };
  for (const Expected& e : expected) {
    SCOPED_TRACE(e.file.string());
    openData(test::readFile(e.file));
    const SeriesTable table = load();
    EXPECT_FALSE(stop_);
    EXPECT_EQ(table.size(), e.series);
    std::size_t refused = 0;
    for (const std::string& line : consoleLines())
      refused += line.find("not loaded") != std::string::npos || line.find("no series read") != std::string::npos;
    EXPECT_EQ(refused, e.refused);
  }
}

}  // namespace
}  // namespace veska::input::testing
