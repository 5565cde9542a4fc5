// Every published file in the shared real data, loaded as the run loads it:
// .rwl as ring widths, .crn as indices. The expected figures are what the
// layout rules give; where they differ from the survey in SOURCES.md, the
// row says why.
#include <algorithm>
#include <filesystem>

#include "input/series_file.h"
#include "input_fixture.h"

namespace veska::input::testing {
namespace {

struct RealFile {
  const char* name;
  int series;
  std::int32_t firstYear;  // earliest first year
  std::int32_t lastYear;   // latest last year
  int shortest;
  int longest;
  int titles;          // lines echoed as titles
  double meanLow;      // range of the series' mean values: the units are right
  double meanHigh;
};

const RealFile kFiles[] = {
    {"ca533_pilo_campito_rwl.rwl", 34, 626, 1983, 229, 1343, 0, 0.05, 5},
    {"ca051_pifl_sangorgonio_bce_rwl.rwl", 26, -42, 1970, 118, 1506, 3, 0.05, 5},
    {"brit036_qusp_thornemoors_bce_rwl.rwl", 24, -3776, -3016, 72, 389, 3, 0.05, 5},
    {"turk045_jusp_karahoyuk_bce_cr_rwl.rwl", 46, -2084, -1821, 24, 140, 0, 0.05, 5},
    {"co690_piar_sheepmtn_bce_micron_rwl.rwl", 50, -260, 2016, 103, 1107, 3, 0.05, 5},
    // 38 identifiers in 48 segments, each ending in its own -9999: a segment
    // is a series.
    {"co691_piar_windypeak_multiseg_rwl.rwl", 48, -364, 2007, 104, 1296, 3, 0.05, 5},
    {"in024_acsh_morganmonroe_mixedprec_rwl.rwl", 17, 1907, 2015, 51, 108, 3, 0.05, 5},
    {"va024_tsca_shenandoah_tabs_cr_rwl.rwl", 52, 1756, 1997, 37, 235, 3, 0.05, 5},
    // SOURCES counts 19 series up to 2015. SSB05B's last line is not in fixed
    // columns ("   895 -9999" straddles two fields), so it is a text line (the
    // fourth title) and SSB05B runs on through SSB04A's lines to SSB04A's
    // marker: 18 series, SSB05B 1976-2045 with 70 values. Misaligned values
    // of other lines are read as their columns give them (two numbers may
    // merge into one): mean widths up to about 10 mm.
    {"bra009_ceod_saosebastiao_misaligned_rwl.rwl", 18, 1954, 2045, 19, 70, 4, 0.05, 11},
    {"russ301_pisy_bograd_utf8ids_rwl.rwl", 80, 1847, 2018, 24, 171, 3, 0.05, 5},
    {"morc018_cdat_atlas_100ser_rwl.rwl", 100, 977, 2001, 57, 1024, 3, 0.05, 5},
    {"th001_tegr_maehongson_micron_rwl.rwl", 77, 1558, 2005, 82, 391, 3, 0.05, 5},
    {"chil015_ficu_tiuchue_rwl.rwl", 33, 1386, 1987, 104, 464, 3, 0.05, 5},
    {"tthh_pcgl_yukon_crcrlf_rwl.rwl", 74, 1459, 1999, 90, 517, 1, 0.05, 5},
    // The header is one column to the right, so its year field holds "  1 ",
    // but its value columns hold letters: a title. So is the statistics line
    // after the series.
    {"chil015_ficu_tiuchue_std.crn", 1, 1386, 1987, 602, 602, 4, 0.5, 1.5},
    {"chil002a_auch_elasiento_ars.crn", 1, 1012, 1972, 961, 961, 3, 0.5, 1.5},
    {"turk_cdli_elmali_kuniholm.crn", 1, 1370, 1988, 619, 619, 3, 0.5, 1.5},
    {"al_pipa_flomaton.crn", 1, 1814, 1995, 182, 182, 3, 0.5, 1.5},
    // SOURCES gives one chronology 1454-1769: its last line is full and no
    // 9990 follows; a chronology ending on a full decade needs none. Its
    // values are mean widths (mean 136), not indices around 1000.
    {"bost02_qusp_boston_buildings.crn", 1, 1454, 1769, 316, 316, 3, 0.05, 0.5},
    // Four chronologies under one identifier, told apart only by columns
    // 83-85, which are cut off; the raw one is in mm of ring width.
    {"ital_abal_abetone_4chron_cr.crn", 4, 1846, 1980, 135, 135, 12, 0.5, 2.5},
};

class RealFileTest : public ::testing::TestWithParam<RealFile> {};

TEST_P(RealFileTest, LoadsAsTheLayoutRulesSay) {
  const auto dir = test::realDataDir();
  if (!dir) GTEST_SKIP() << "the shared real data files are not beside this checkout";
  const RealFile& f = GetParam();
  const std::filesystem::path path = *dir / f.name;
  ASSERT_TRUE(std::filesystem::exists(path)) << path;
  const bool chronology = path.extension() == ".crn";

  DataLines data(test::readFile(path));
  const LoadedFile file = loadSeriesFile(data.lines, chronology ? Layout::Indices : Layout::RingWidths);
  ASSERT_FALSE(file.stop) << file.stop->message;
  const SeriesTable& table = file.table;

  ASSERT_EQ(static_cast<int>(table.size()), f.series);
  int titles = 0;
  for (const Notice& n : file.notices) titles += n.kind == Notice::Kind::Title;
  EXPECT_EQ(titles, f.titles);
  if (f.series == 0) {
    ASSERT_FALSE(file.notices.empty());
    EXPECT_NE(file.notices.back().text.find("has no end marker: not loaded"), std::string::npos);
    return;
  }
  std::int32_t first = table[0].firstYear, last = table[0].lastYear();
  std::size_t shortest = table[0].values.size(), longest = shortest;
  for (const Series& series : table) {
    SCOPED_TRACE(utf8(series.id));
    first = std::min(first, series.firstYear);
    last = std::max(last, series.lastYear());
    shortest = std::min(shortest, series.values.size());
    longest = std::max(longest, series.values.size());
    double sum = 0;
    for (float v : series.values) sum += v;
    const double mean = sum / static_cast<double>(series.values.size());
    EXPECT_GE(mean, f.meanLow);
    EXPECT_LE(mean, f.meanHigh);
  }
  EXPECT_EQ(first, f.firstYear);
  EXPECT_EQ(last, f.lastYear);
  EXPECT_EQ(shortest, static_cast<std::size_t>(f.shortest));
  EXPECT_EQ(longest, static_cast<std::size_t>(f.longest));
}

INSTANTIATE_TEST_SUITE_P(SharedData, RealFileTest, ::testing::ValuesIn(kFiles), [](const auto& info) {
  std::string name = info.param.name;
  name = name.substr(0, name.find('_'));
  return name + "_" + std::to_string(info.index);
});

// Oddities that the counts above would not show.
class RealFileDetails : public InputTest {
 protected:
  SeriesTable loadReal(const char* name) {
    const auto dir = test::realDataDir();
    if (!dir) return {};
    openData(test::readFile(*dir / name));
    return load();
  }
  static const Series* find(const SeriesTable& t, std::string_view id) {
    for (const Series& series : t)
      if (utf8(series.id) == id) return &series;
    return nullptr;
  }
};

TEST_F(RealFileDetails, MixedPrecisionSeriesEachGetTheirUnits) {
  if (!test::realDataDir()) GTEST_SKIP() << "the shared real data files are not beside this checkout";
  // russ301: 79 series in thousandths and one, 89-18, in hundredths; all
  // come out in mm of the same order. Its identifiers begin with two
  // characters that were once "Бд" in a Cyrillic code page and are stored as
  // the UTF-8 of "Áä": still two characters, so the year keeps columns 9-12.
  const SeriesTable t = loadReal("russ301_pisy_bograd_utf8ids_rwl.rwl");
  const Series* odd = find(t, "\xC3\x81\xC3\xA4" "89-18 ");
  ASSERT_NE(odd, nullptr);
  double sum = 0;
  for (float v : odd->values) sum += v;
  EXPECT_GT(sum / static_cast<double>(odd->values.size()), 0.2);
  EXPECT_LT(sum / static_cast<double>(odd->values.size()), 4.5);
}

TEST_F(RealFileDetails, EightCharacterIdentifiersTouchingANegativeYear) {
  if (!test::realDataDir()) GTEST_SKIP() << "the shared real data files are not beside this checkout";
  // co690's "SHM052A1-163": the year -163 stands in columns 9-12.
  const SeriesTable t = loadReal("co690_piar_sheepmtn_bce_micron_rwl.rwl");
  const Series* s = find(t, "SHM052A1");
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(s->firstYear, -163);
}

}  // namespace
}  // namespace veska::input::testing
