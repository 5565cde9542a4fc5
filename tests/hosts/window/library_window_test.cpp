// The library window on a search of made-up series: the ranked table, the
// verdict, the map's colours, a row's pair, the picture; and the world's
// coastlines as the map reads them.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

#include <cmath>
#include <filesystem>

#include "hosts/window/fake_dialogs.h"
#include "hosts/window/frame_window.h"
#include "hosts/window/host.h"
#include "hosts/window/host_script.h"
#include "hosts/window/library_window.h"
#include "hosts/window/library_windows.h"
#include "hosts/window/model/coastlines.h"
#include "hosts/window/pair_window.h"
#include "library/library_fixture.h"
#include "support/test_support.h"

namespace veska::test {
namespace {

using library::GeoPoint;
namespace lt = library::testing;

struct Searched {
  std::shared_ptr<library::Library> library = std::make_shared<library::Library>();
  std::shared_ptr<library::LibraryRun> run;
};

// Oak sites across Europe sharing one signal, a pine site that shares none,
// and an undated oak piece of 1801-1950.
Searched searchedLibrary() {
  Searched s;
  lt::Forest oaks(1400, 600, 21), pines(1400, 600, 22);
  s.library->folder = "europe";
  s.library->references = {
      lt::reference("doel.crn", 1400, oaks.widths(1400, 600, 0.6f), GeoPoint{51.3, 4.27}),
      lt::reference("lund.crn", 1500, oaks.widths(1500, 500, 1.5f), GeoPoint{55.7, 13.2}),
      lt::reference("bruges.crn", 1700, oaks.widths(1700, 300, 0.9f), GeoPoint{51.2, 3.2}),
      lt::reference("alps.crn", 1400, pines.widths(1400, 600, 0.5f), GeoPoint{46.8, 11.0}, "PICE"),
      lt::reference("nowhere.crn", 1400, pines.widths(1400, 600, 0.5f)),
  };
  s.run = std::make_shared<library::LibraryRun>(
      library::runLibrarySearch(*s.library, {lt::undated("K1_091", oaks.widths(1801, 150, 1.0f))}));
  return s;
}

TEST(LibraryWindow, TableVerdictMapAndPairOfARow) {
  const Searched s = searchedLibrary();
  FakeDialogs dialogs;
  window::LibraryWindow w(s.library, s.run, dialogs);
  w.resize(1100, 700);
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));

  EXPECT_EQ(w.table().rowCount(), 5);
  EXPECT_EQ(w.table().data(w.table().index(0, 1), Qt::DisplayRole).toString(), "doel.crn");
  EXPECT_EQ(w.table().data(w.table().index(0, 5), Qt::DisplayRole).toString(), "1950");
  EXPECT_EQ(w.table().data(w.table().index(0, 9), Qt::DisplayRole).toString(), "dated");
  EXPECT_TRUE(w.verdictText().startsWith("Series K1_091 (150 rings)\nDated: its last ring in 1950")) << w.verdictText().toStdString();
  // The break check against the best reference, on its own line.
  EXPECT_NE(w.verdictText().indexOf("\nBreak check against "), -1) << w.verdictText().toStdString();

  // Four references on the globe; the best drawn last; the pine site has no evidence for 1950.
  const window::LibraryMap& map = w.map();
  ASSERT_EQ(map.marks.size(), 4u);
  EXPECT_EQ(map.unknownPlace, 1);
  EXPECT_TRUE(map.marks.back().best);
  EXPECT_EQ(map.marks.back().name, "doel.crn");
  EXPECT_EQ(map.marks.back().evidence, window::Evidence::Strong);
  for (const window::MapMark& m : map.marks)
    if (m.name == "alps.crn") {
      EXPECT_EQ(m.evidence, window::Evidence::None);
    }
  EXPECT_LE(map.box.west, 3.2);
  EXPECT_GE(map.box.north, 55.7);

  QSignalSpy asked(&w, &window::LibraryWindow::pairRequested);
  QTableView* view = w.tableView();
  const QRect cell = view->visualRect(w.table().index(0, 1));
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell.center());
  QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, cell.center());
  ASSERT_EQ(asked.count(), 1);
  EXPECT_EQ(asked.front().at(1).value<std::size_t>(), 0u);
  const match::RunSeries first = w.referenceSeries(0);
  EXPECT_EQ(first.firstYear, 1400);
  EXPECT_EQ(first.compared, s.library->references[0].compared);

  TempDir dir;
  const std::string out = std::getenv("VESKA_LIBRARY_PICTURE") ? std::getenv("VESKA_LIBRARY_PICTURE")
                                                                : dir.file("library.png").string();
  ASSERT_EQ(w.savePicture(QString::fromStdString(out)), std::nullopt);
  const QImage picture(QString::fromStdString(out));
  EXPECT_EQ(picture.size(), window::LibraryWindow::kPictureSize);
  EXPECT_TRUE(w.savePicture(dir.file("library.gif").c_str()));
}

TEST(LibraryWindows, FromTheMenuWhileARunWaitsTheResultOpensAndARowOpensItsPair) {
  TempDir dir;
  const std::filesystem::path samples = std::filesystem::path(VESKA_SOURCE_DIR) / "data";
  std::filesystem::create_directory(dir.file("library"));
  std::filesystem::copy_file(samples / "dated.rwl", dir.file("library") / "dated.rwl");
  std::filesystem::copy_file(samples / "index.crn", dir.file("library") / "index.crn");
  const QString folder = QString::fromStdString(dir.file("library").string());
  const QString undated = QString::fromStdString((samples / "undated.rwl").string());
  FakeDialogs dialogs;
  // A species that is neither code nor genus is said and asked again.
  dialogs.libraryChoices = {{folder, undated, "Q1"}, {folder, undated, ""}};
  window::Host host(dialogs);
  Typist typist(host, {});
  bool checked = false;
  typist.whenOutOfAnswers = [&] {
    if (checked) return;
    checked = true;
    // The run waits for its first file name meanwhile.
    host.frame()->actions().dateAgainstLibrary->trigger();
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_TRUE(dialogs.boxes[0].text.contains("\"Q1\" is neither")) << dialogs.boxes[0].text.toStdString();
    EXPECT_EQ(dialogs.libraryStarts[1].species, "Q1");  // asked again with what was given
    QTRY_VERIFY_WITH_TIMEOUT(host.libraries()->lastWindow() != nullptr, 60000);
    window::LibraryWindow* w = host.libraries()->lastWindow();
    EXPECT_EQ(host.frame()->activeLibraryWindow(), w);
    EXPECT_EQ(w->table().data(w->table().index(0, 5), Qt::DisplayRole).toString(), "1847");
    EXPECT_TRUE(w->libraryText().startsWith("Library " + folder + ": 3 references")) << w->libraryText().toStdString();

    ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
    const QRect cell = w->tableView()->visualRect(w->table().index(0, 1));
    QTest::mouseClick(w->tableView()->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(w->tableView()->viewport(), Qt::LeftButton, {}, cell.center());
    window::PairWindow* pair = host.frame()->activePairWindow();
    ASSERT_NE(pair, nullptr);
    // The reference first, as a dated series, the floating sample second.
    EXPECT_EQ(pair->evidence().bestSlot(0).lastRingFirst, 1847);
    EXPECT_EQ(pair->evidence().bestSlot(0).lastRingSecond, 1160);

    // The floating series saved at that placement ends in 1847; a reference
    // file of the library is never replaced.
    const std::filesystem::path reference = dir.file("library") / "dated.rwl";
    const std::string referenceBytes = readFile(reference);
    dialogs.saveNames = {QString::fromStdString(reference.string()), QString::fromStdString(dir.file("piece.csv"))};
    host.frame()->actions().saveSeries->trigger();
    host.frame()->actions().saveSeries->trigger();
    EXPECT_EQ(readFile(reference), referenceBytes);
    ASSERT_EQ(dialogs.boxes.size(), 2u);
    EXPECT_TRUE(dialogs.boxes[1].text.contains("a data file of this run")) << dialogs.boxes[1].text.toStdString();
    const std::string csv = readFile(dir.file("piece.csv"));
    EXPECT_EQ(csv.substr(csv.rfind('\n', csv.size() - 2) + 1, 5), "1847,") << csv;

    typeText(host.consoleWindow(), "/");
    QTest::keyClick(host.consoleWindow(), Qt::Key_Return);
  };
  typist.atFinalWait = [&] { host.frame()->close(); };
  EXPECT_EQ(host.run(), 0);
  EXPECT_TRUE(checked);
}

TEST(Coastlines, TheWorldFromTheInstalledShoreline) {
  if (!std::filesystem::exists(window::kCoastlineFile))
    GTEST_SKIP() << "the coastline package (xtide-coastline) is not installed";
  const auto lines = window::loadCoastlines(window::kCoastlineFile, 0.0f);
  ASSERT_GT(lines.size(), 1000u);
  // Every point on the globe (a cell at the date line may run a little past
  // it), and the Cape of Good Hope among them.
  double nearest = 1e9;
  for (const window::Coastline& line : lines) {
    ASSERT_GE(line.size(), 2u);
    for (const window::LatLon& p : line) {
      ASSERT_LE(std::fabs(p.latitude), 90.0f);
      ASSERT_LE(std::fabs(p.longitude), 181.0f);
      nearest = std::min(nearest, std::hypot(p.latitude + 34.357, p.longitude - 18.474));
    }
  }
  EXPECT_LT(nearest, 0.05);
  // Thinned, the same shoreline keeps its segments with fewer points.
  EXPECT_EQ(window::loadCoastlines(window::kCoastlineFile, 0.1f).size(), lines.size());
  EXPECT_TRUE(window::decodeCoastlines("not a shoreline file").empty());
}

}  // namespace
}  // namespace veska::test
