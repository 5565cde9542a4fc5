// Coordinates and species codes as real file headers write them, and the
// distances the ranked table shows.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "library/geo.h"
#include "library/measured_variable.h"
#include "library/reference_file.h"
#include "library/species_filter.h"
#include "records/text.h"

namespace veska::library {
namespace {

std::vector<std::u32string> header(const std::vector<std::string>& lines) {
  std::vector<std::u32string> out;
  for (const std::string& line : lines) out.push_back(records::fromUtf8(line));
  return out;
}

TEST(DecadalCoordinates, EveryWritingSeenInRealHeaders) {
  struct Case {
    const char* line2;
    double latitude, longitude;
  };
  // Second header lines of real files, one column either way as they come.
  const Case cases[] = {
      {"REA    2 ALABAMA      LONGLEAF PINE     0063M +3101-08715          1814 1995", 31 + 1 / 60.0, -(87 + 15 / 60.0)},
      {"323598 2 CALIFORNIA   LIMBER PINE       3048M  3407-11649    __     -42 1970", 34 + 7 / 60.0, -(116 + 49 / 60.0)},
      {"BOST02 2 Mass.        Oak                 15M  4225-7100     __    1454 1769", 42 + 25 / 60.0, -71.0},
      {"FI019M  2 CHILE        ALERCE              750  M S4230 W7350  1386-1987", -(42 + 30 / 60.0), -(73 + 50 / 60.0)},
      {"BGD_PS 2 Russia       Scots pine          600  5412 9048     __    1847 2018", 54 + 12 / 60.0, 90 + 48 / 60.0},
      {"107089 2 Turkey       Cedar             1800M  3640 02955          1370 1988", 36 + 40 / 60.0, 29 + 55 / 60.0},
      // An elevation without its M beside the coordinates is no latitude; the
      // dash only separates the two, as only the east lies in Italy.
      {"616    2 Italy   silver fir, European fir 1400  4407-1042 1846 1980 -", 44 + 7 / 60.0, 10 + 42 / 60.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line2);
    const auto at = decadalCoordinates(header({"XXX    1 SITE", c.line2, "XXX    3 SOMEONE"}));
    ASSERT_TRUE(at.has_value());
    EXPECT_NEAR(at->latitude, c.latitude, 1e-9);
    EXPECT_NEAR(at->longitude, c.longitude, 1e-9);
  }
}

TEST(DecadalCoordinates, LetteredFormOnAnyLineAndYearsNeverTaken) {
  const auto lettered = decadalCoordinates(header({"ABC    1 SITE", "ABC    2 X", "ABC    3 4652N01101E oak"}));
  ASSERT_TRUE(lettered.has_value());
  EXPECT_NEAR(lettered->latitude, 46 + 52 / 60.0, 1e-9);
  EXPECT_NEAR(lettered->longitude, 11 + 1 / 60.0, 1e-9);
  // Without a coordinate field, years such as 1907 2015 (19 07, 20 15) stay years.
  EXPECT_FALSE(decadalCoordinates(header({"MMS    2 Indiana      Sugar Maple        287M                  __    1907 2015"})));
  // A title line that is not the numbered second line is not searched for the signed form.
  EXPECT_FALSE(decadalCoordinates(header({"TTHH White Spruce 3101-08715"})));
  // Out of range is still read: the caller decides what to do with it.
  const auto far = decadalCoordinates(header({"ABC    2 9512N20000E"}));
  ASSERT_TRUE(far.has_value());
  EXPECT_FALSE(onTheGlobe(*far));
}

TEST(SpeciesCodes, FromTheFirstHeaderLineAndFilteredByCodeOrGenus) {
  EXPECT_EQ(decadalSpeciesCode(header({"REA    1 FLOMATON NATURAL AREA                               PIPA"})), "PIPA");
  EXPECT_EQ(decadalSpeciesCode(header({"FI019M  1 TIUCHUE, ISLA DE CHILOE              FICU"})), "FICU");
  EXPECT_EQ(decadalSpeciesCode(header({"616    1 Abetone WIDTH_RING ABAL -"})), "ABAL");
  EXPECT_EQ(decadalSpeciesCode(header({"TTHH White Spruce - Yukon"})), "");

  const auto filter = SpeciesFilter::parse("qusp, PI");
  ASSERT_TRUE(filter.has_value());
  EXPECT_TRUE(filter->takes("QUSP"));
  EXPECT_TRUE(filter->takes("pisy"));
  EXPECT_FALSE(filter->takes("QURO"));
  EXPECT_FALSE(filter->takes(""));
  EXPECT_EQ(filter->text(), "QUSP,PI");
  EXPECT_TRUE(SpeciesFilter::parse("")->takes(""));
  EXPECT_FALSE(SpeciesFilter::parse("QUERCUS"));
  EXPECT_FALSE(SpeciesFilter::parse("Q1SP"));
}

TEST(MeasuredVariable, FromTheHeaderConventionsAndTheCommandLine) {
  struct Case {
    std::vector<std::string> lines;
    std::optional<MeasuredVariable> variable;
  };
  const Case cases[] = {
      {{"215    1 Grindelwald BE DENSITY_MINIMUM PCAB -"}, MeasuredVariable::MinimumDensity},
      {{"552    1 Pieterlen BE,Fi.Vergl.Pr LATEWOOD_PERCENT PCAB -"}, MeasuredVariable::LatewoodPercent},
      {{"245    1 Katscherpass WIDTH_RING PCAB -"}, MeasuredVariable::RingWidth},
      // The code of the line numbered 2, columns 62-63, and of line 3, column 62.
      {{"LL     1 Lotschental                                         LADE",
        "LL     2 Switzerland  European Larch    1700M  4627 00750    X_    1258 1920"},
       MeasuredVariable::MaximumDensity},
      {{"TI     2 Switzerland  Durmast Oak        560M  4611 00853    __    1956 2006"}, MeasuredVariable::RingWidth},
      {{"BIE    2 AUSTRIA      AUSTRIAN PINE     0350M +4807+01615          1840 1995",
        "BIE    3 GIORGIO STRUMIA AND RUPERT WIMMER                   E"},
       MeasuredVariable::EarlywoodWidth},
      // Nothing said: the caller takes ring width. A keyword off line 1 says nothing.
      {{"089    1 PATSCHERKOFEL", "089    2 AUSTRIA      STONE PINE         2100  4713N01128E         1752 1967"},
       std::nullopt},
      {{"089    3 SOMEONE WIDTH_LATE"}, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.lines.front());
    EXPECT_EQ(decadalVariable(header(c.lines)), c.variable);
  }
  EXPECT_EQ(heidelbergVariable("Ringwidth"), MeasuredVariable::RingWidth);
  EXPECT_EQ(heidelbergVariable("MaxDensity"), MeasuredVariable::MaximumDensity);
  EXPECT_EQ(heidelbergVariable("Blue intensity"), MeasuredVariable::Other);
  EXPECT_EQ(heidelbergVariable(""), std::nullopt);
  EXPECT_EQ(parseVariable("density_maximum"), MeasuredVariable::MaximumDensity);
  EXPECT_EQ(parseVariable("earlywood width"), MeasuredVariable::EarlywoodWidth);
  EXPECT_EQ(parseVariable("OTHER"), std::nullopt);
  EXPECT_EQ(parseVariable("WIDTH"), std::nullopt);
}

// Every header convention of the regional files: species, place, country and
// variable as one file's header gives them.
TEST(FileHeaders, EveryConventionOfTheRegionalFiles) {
  struct Case {
    std::vector<std::string> lines;
    std::string species;
    std::optional<std::pair<double, double>> where;
    std::string country;  // empty: none named
    bool outside;
  };
  const auto dm = [](int d, int m) { return d + m / 60.0; };
  const Case cases[] = {
      {{"602    1 Tatz Stockwald WIDTH_RING PCAB -", "602    2 Switzerland   Norway spruce 1850  4620-747 1769 1980 -"},
       "PCAB", std::pair(dm(46, 20), dm(7, 47)), "Switzerland", false},
      {{"245    1 Katscherpass WIDTH_EARLY PCAB -", "245    2 Austria   Norway spruce 1800  4702-1338 1838 1975 -"},
       "PCAB", std::pair(dm(47, 2), dm(13, 38)), "Austria", false},
      {{"LX     1 Breuleux Paturage Communal                          PCAB",
        "LX     2 Switzerland  Norway Spruce     1025M  4712 00652    __    1852 1995"},
       "PCAB", std::pair(dm(47, 12), dm(6, 52)), "Switzerland", false},
      {{"XX     1 Somewhere                                           PISY",
        "XX     2 Spain        Scots Pine        1600M +4026-00154          1800 1990"},
       "PISY", std::pair(dm(40, 26), -dm(1, 54)), "Spain", false},
      {{"XX     1 Grunewald                                           QUSP",
        "XX     2 Germany      Oak                 50M  522501338     __    1600 1990"},
       "QUSP", std::pair(dm(52, 25), dm(13, 38)), "Germany", false},
      {{"XX     1 Solling", "XX     2 Germany      QURO              5155N00912E045        1700 1990"}, "QURO",
       std::pair(dm(51, 55), dm(9, 12)), "Germany", false},
      // Species on line 2 by its name; the site's one word is no code.
      {{"089    1 PATSCHERKOFEL", "089    2 AUSTRIA      STONE PINE         2100  4713N01128E         1752 1967"},
       "PICE", std::pair(dm(47, 13), dm(11, 28)), "Austria", false},
      // The last word of a site name is never the species: WALD, SEAL.
      {{"XX     1 SCHWARZ WALD", "XX     2 GERMANY"}, "", std::nullopt, "Germany", false},
      {{"XX     1 LITTLE SEAL -"}, "", std::nullopt, "", false},
      // A point outside the country named is said, not mapped.
      {{"XX     1 Somewhere                                           QUSP",
        "XX     2 England      Oak                 50M  5155 01012    __    1600 1990"},
       "QUSP", std::pair(dm(51, 55), dm(10, 12)), "United Kingdom", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.lines.front());
    FileContents file;
    file.titleLines = header(c.lines);
    const FileHeader h = headerOf(file);
    EXPECT_EQ(h.species, c.species);
    ASSERT_EQ(h.where.has_value(), c.where.has_value());
    if (c.where) {
      EXPECT_NEAR(h.where->latitude, c.where->first, 1e-9);
      EXPECT_NEAR(h.where->longitude, c.where->second, 1e-9);
    }
    EXPECT_EQ(h.country ? std::string(h.country->name) : "", c.country);
    EXPECT_EQ(h.outsideCountry, c.outside);
  }
}

TEST(GreatCircle, KnownDistances) {
  const double R = 6371.0088;
  // A degree of latitude along a meridian, and half the globe.
  EXPECT_NEAR(greatCircleKm({10, 20}, {11, 20}), R * std::numbers::pi / 180, 1e-9);
  EXPECT_NEAR(greatCircleKm({0, 0}, {0, 180}), R * std::numbers::pi, 1e-6);
  EXPECT_NEAR(greatCircleKm({90, 0}, {-90, 77}), R * std::numbers::pi, 1e-6);
  EXPECT_EQ(greatCircleKm({51.3, 4.27}, {51.3, 4.27}), 0.0);
  // Across the date line: 2 degrees of longitude on the equator, not 358.
  EXPECT_NEAR(greatCircleKm({0, 179}, {0, -179}), 2 * R * std::numbers::pi / 180, 1e-6);
}

}  // namespace
}  // namespace veska::library
