// The windows behind a finished run's report: VESKA.OUT read-only in the
// frame, a pair window opened from a double-click on its report line, the
// View menu, and the pair picture written as PNG, SVG and PDF.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QSet>
#include <QSvgRenderer>
#include <QTest>
#include <QWheelEvent>

#include <cstdio>
#include <random>

#include "hosts/window/evidence_windows.h"
#include "hosts/window/frame_window.h"
#include "hosts/window/fake_dialogs.h"
#include "hosts/window/host.h"
#include "hosts/window/host_script.h"
#include "hosts/window/pair_window.h"
#include "match/pair_table.h"
#include "support/test_support.h"

namespace veska::test {
namespace {

using window::PairWindow;
using window::TextWindow;

// Three ring-width series of 90 rings (1900-1989) in the decadal layout.
std::filesystem::path writeThreeSeries(const std::filesystem::path& path) {
  std::mt19937 rng(11);
  std::uniform_int_distribution<int> width(40, 240);
  std::string text;
  char line[128];
  for (const char* id : {"TST01", "TST02", "TST03"}) {
    for (int decade = 1900; decade < 1990; decade += 10) {
      std::snprintf(line, sizeof line, "%-8s%4d", id, decade);
      text += line;
      for (int year = decade; year < decade + 10; ++year) {
        std::snprintf(line, sizeof line, "%6d", width(rng));
        text += line;
      }
      text += "\r\n";
    }
    std::snprintf(line, sizeof line, "%-8s%4d%6d\r\n", id, 1990, 999);
    text += line;
  }
  writeFile(path, text);
  return path;
}

std::vector<std::u32string> linesOf(const TextWindow& window) {
  std::vector<std::u32string> lines;
  for (int row = 0; row < window.model().lineCount(); ++row) lines.push_back(window.model().line(row));
  return lines;
}

QMdiSubWindow* subOf(QWidget* widget) { return qobject_cast<QMdiSubWindow*>(widget->parentWidget()); }

TEST(EvidenceWindows, FinishedRunShowsTheReportReadOnlyAndADoubleClickedLineOpensItsPair) {
  TempDir dir;
  FakeDialogs dialogs;
  const auto data = writeThreeSeries(dir.file("three.rwl"));
  window::Host host(dialogs);
  Typist typist(host, {QString::fromStdString(data.string()), "M", "N", ""});
  bool checked = false;
  typist.atFinalWait = [&] {
    checked = true;
    window::FrameWindow* frame = host.frame();
    QStringList menus;
    for (QAction* menu : frame->menuBar()->actions()) menus << menu->text();
    EXPECT_EQ(menus, QStringList({"&File", "&Edit", "F&ormat", "&View", "&Window"}));

    window::EvidenceWindows* evidence = host.evidence();
    TextWindow* report = evidence->reportWindow();
    ASSERT_NE(report, nullptr);
    EXPECT_EQ(report->windowTitle(), "VESKA.OUT");
    EXPECT_EQ(host.consoleWindow(), frame->activeTextWindow());  // the keyboard stays with the run
    std::vector<std::string> shown;
    for (const std::u32string& l : linesOf(*report)) shown.push_back(records::toUtf8(l));
    while (!shown.empty() && shown.back().empty()) shown.pop_back();
    std::vector<std::string> onDisk;
    for (std::string l; const char c : readFile(dir.file("VESKA.OUT"))) {
      if (c == '\n') {
        onDisk.push_back(l);
        l.clear();
      } else {
        l += c;
      }
    }
    EXPECT_EQ(shown, onDisk);

    // Typing, Paste, Cut and Delete change nothing.
    frame->mdiArea()->setActiveSubWindow(subOf(report));
    const auto before = linesOf(*report);
    QGuiApplication::clipboard()->setText("pasted\n");
    QTest::keyClicks(report, "typed");
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Tab})
      QTest::keyClick(report, key);
    frame->actions().paste->trigger();
    frame->actions().deleteSelection->trigger();
    EXPECT_EQ(linesOf(*report), before);
    EXPECT_FALSE(frame->actions().paste->isEnabled());
    EXPECT_FALSE(report->model().modified());

    // File > Export Table...: offered in the report window, it writes the
    // pair table, and never over the report itself.
    QAction* exportTable = frame->actions().exportTable;
    EXPECT_TRUE(exportTable->isEnabled());
    dialogs.saveNames = {QString::fromStdString(dir.file("pairs.csv").string()),
                         QString::fromStdString(dir.file("VESKA.OUT").string())};
    exportTable->trigger();
    EXPECT_EQ(readFile(dir.file("pairs.csv")), match::pairTable(*evidence->run()));
    EXPECT_EQ(dialogs.saveTypes, QStringList({"CSV table (*.csv)"}));
    const std::string reportBytes = readFile(dir.file("VESKA.OUT"));
    exportTable->trigger();
    EXPECT_EQ(readFile(dir.file("VESKA.OUT")), reportBytes);
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].text, "The pair table would replace the report VESKA.OUT. Choose another file.");

    // The second pair's line (TST01 against TST03), double-clicked.
    const match::RunRecord& run = *evidence->run();
    ASSERT_EQ(run.pairs.size(), 3u);
    const std::u32string wanted = QString::fromStdString(run.pairLineText(run.pairs[1])).toStdU32String();
    int row = 0;
    while (row < static_cast<int>(before.size()) && before[static_cast<std::size_t>(row)] != wanted) ++row;
    ASSERT_LT(row, static_cast<int>(before.size()));
    report->model().scrollVertical(window::ScrollRequest::ThumbPosition, row);
    report->refresh();
    const int y = (row - report->model().scroll().verticalPosition()) * report->model().lineHeight() +
                  report->model().lineHeight() / 2;
    QTest::mouseDClick(report->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(30, y));
    QMdiSubWindow* active = frame->mdiArea()->activeSubWindow();
    ASSERT_NE(active, nullptr);
    auto* pair = qobject_cast<PairWindow*>(active->widget());
    ASSERT_NE(pair, nullptr);
    EXPECT_EQ(pair->windowTitle(), "TST01 - TST03");
    const std::string line = records::toUtf8(wanted);
    ASSERT_TRUE(pair->selected());
    EXPECT_EQ(pair->evidence().slotText(*pair->selected()), line.substr(20, 23));  // starts at the best

    // Right moves on, Home comes back to the best.
    QTest::keyClick(pair, Qt::Key_Right);
    EXPECT_NE(pair->selected(), pair->evidence().bestPlacement());
    QTest::keyClick(pair, Qt::Key_Home);
    EXPECT_EQ(pair->selected(), pair->evidence().bestPlacement());

    // Edit > Copy: the placement table, one row each, its columns naming the pair.
    QAction* copy = frame->actions().copy;
    EXPECT_TRUE(copy->isEnabled());
    EXPECT_FALSE(frame->actions().paste->isEnabled());
    copy->trigger();
    const QStringList rows = QGuiApplication::clipboard()->text().split('\n', Qt::SkipEmptyParts);
    EXPECT_EQ(rows.size(), static_cast<int>(pair->evidence().placements().size()) + 1);
    EXPECT_EQ(rows.value(0), "last ring TST01\tlast ring TST03\toverlap\tr\tt");

    // View > Pair...: the chooser is given the run; the pair it picks opens.
    EXPECT_FALSE(exportTable->isEnabled());  // in a pair window
    const std::size_t top = run.pairsByBestT().front();
    dialogs.pairChoices.push_back(top);
    QAction* pairItem = frame->menuBar()->actions()[3]->menu()->actions()[1];
    EXPECT_EQ(pairItem->text(), "&Pair...");
    pairItem->trigger();
    EXPECT_EQ(dialogs.pairChoosers, 1);
    auto* chosen = qobject_cast<PairWindow*>(frame->mdiArea()->activeSubWindow()->widget());
    ASSERT_NE(chosen, nullptr);
    EXPECT_EQ(chosen->windowTitle(), QString::fromStdU32String(run.firstOf(run.pairs[top]).id).trimmed() + " - " +
                                         QString::fromStdU32String(run.secondOf(run.pairs[top]).id).trimmed());
    EXPECT_EQ(chosen->evidence().slotText(*chosen->evidence().bestPlacement()),
              run.pairLineText(run.pairs[top]).substr(20, 23));

    // A line that is no pair's opens nothing.
    const int windows = static_cast<int>(frame->mdiArea()->subWindowList().size());
    EXPECT_FALSE(evidence->pairAtReportRow(0).has_value());
    frame->close();
    EXPECT_GE(windows, 3);
  };
  EXPECT_EQ(host.run(), 0);
  EXPECT_TRUE(checked);
}

TEST(EvidenceWindows, AReportOfManyPairsOpensOnItsFirstLinesAndIsGoneThroughBehind) {
  TempDir dir;
  FakeDialogs dialogs;
  window::HostState state;
  window::FrameWindow frame(state, "veska");
  window::EvidenceWindows evidence(frame, dialogs, [&](const QString& title, const QRect& geometry) {
    auto* window = new TextWindow;
    window->setWindowTitle(title);
    frame.addTextWindow(window, geometry);
    return window;
  });
  // 300 undated series: 44,850 pairs, a report of about 4 MB.
  match::RunRecord run;
  for (int k = 1; k <= 300; ++k) {
    match::RunSeries series;
    std::string id = std::to_string(k);
    id.insert(0, 1, 'U');  // (GCC 12 warns wrongly about "literal" + std::string.)
    series.id = std::u32string(id.begin(), id.end());
    series.id.resize(8, U' ');
    series.number = k;
    run.undated.push_back(series);
  }
  run.pairs = match::pairsInReportOrder(run.undated.size(), 0, false);
  std::vector<std::string> written = {"", "  UNDATED TREE-RING SERIES:"};
  std::vector<int> pairRows;
  for (std::size_t k = 0; k < run.pairs.size(); ++k) {
    if (k % 25 == 0) written.push_back("  ================= ======================");
    pairRows.push_back(static_cast<int>(written.size()));
    written.push_back(run.pairLineText(run.pairs[k]));
  }
  std::string bytes;
  for (const std::string& line : written) bytes += line + "\n";
  writeFile(dir.file("VESKA.OUT"), bytes);

  evidence.matchPhaseWritten(run);
  TextWindow* report = evidence.reportWindow();
  ASSERT_NE(report, nullptr);
  EXPECT_GT(report->model().lineCount(), 100);
  EXPECT_LT(report->model().lineCount(), static_cast<int>(written.size())) << "the whole report was read up front";
  EXPECT_FALSE(evidence.reportIndexed());
  EXPECT_EQ(records::toUtf8(report->model().line(1)), written[1]);
  // A double-click far ahead is answered at once.
  EXPECT_EQ(evidence.pairAtReportRow(pairRows.back()), run.pairs.size() - 1);
  EXPECT_EQ(evidence.pairAtReportRow(pairRows[25] - 1), std::nullopt);

  EXPECT_TRUE(QTest::qWaitFor([&] { return evidence.reportIndexed(); }, 20000));
  std::vector<std::string> shown;
  for (const std::u32string& line : linesOf(*report)) shown.push_back(records::toUtf8(line));
  EXPECT_EQ(shown, written);
  EXPECT_EQ(report->model().scroll().verticalRange(), static_cast<int>(written.size()) - report->model().scroll().visibleRows() + 2);
  for (const std::size_t k : {std::size_t{0}, std::size_t{24}, std::size_t{25}, std::size_t{30000}})
    EXPECT_EQ(evidence.pairAtReportRow(pairRows[k]), k);
}

match::RunSeries seriesOf(const char* id, std::int32_t firstYear, int n, std::mt19937& rng) {
  std::normal_distribution<float> normal(0.0f, 1.0f);
  match::RunSeries s;
  s.id = std::u32string(id, id + std::char_traits<char>::length(id));
  s.id.resize(8, U' ');
  s.firstYear = firstYear;
  for (int i = 0; i < n; ++i) s.compared.push_back(normal(rng));
  for (int i = 0; i < n; ++i) s.asRead.push_back(100.0f + 30.0f * normal(rng));
  return s;
}

TEST(PairWindow, PictureIsWrittenAsPngSvgAndOnePagePdfByExtensionAndTheWheelZooms) {
  TempDir dir;
  FakeDialogs dialogs;
  std::mt19937 rng(5);
  PairWindow window(seriesOf("CHRON", 1650, 300, rng), seriesOf("FLOAT", 1, 120, rng), true, dialogs);
  window.resize(900, 640);
  window.showAsRead(true);

  const QString png = QString::fromStdString(dir.file("pair.png").string());
  ASSERT_EQ(window.savePicture(png), std::nullopt);
  EXPECT_EQ(readFile(dir.file("pair.png")).substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
  const QImage image(png);
  EXPECT_EQ(image.size(), PairWindow::kPictureSize);
  // Not a blank page: the curves, the shading and the text leave many colours.
  QSet<QRgb> colours;
  for (int y = 0; y < image.height(); y += 3)
    for (int x = 0; x < image.width(); x += 3) colours.insert(image.pixel(x, y));
  EXPECT_GT(colours.size(), 20);

  const QString svg = QString::fromStdString(dir.file("pair.svg").string());
  ASSERT_EQ(window.savePicture(svg), std::nullopt);
  const std::string svgText = readFile(dir.file("pair.svg"));
  EXPECT_EQ(svgText.substr(0, 5), "<?xml");
  EXPECT_NE(svgText.find("<svg"), std::string::npos);
  QSvgRenderer renderer(svg);
  EXPECT_TRUE(renderer.isValid());
  EXPECT_EQ(renderer.viewBox().size(), PairWindow::kPictureSize);

  const QString pdf = QString::fromStdString(dir.file("pair.pdf").string());
  ASSERT_EQ(window.savePicture(pdf), std::nullopt);
  const std::string pdfText = readFile(dir.file("pair.pdf"));
  EXPECT_EQ(pdfText.substr(0, 5), "%PDF-");
  int pages = 0;
  for (std::size_t at = 0; (at = pdfText.find("/Type /Page", at)) != std::string::npos; at += 11)
    if (pdfText.compare(at, 12, "/Type /Pages") != 0) ++pages;
  EXPECT_EQ(pages, 1);

  EXPECT_EQ(window.savePicture(QString::fromStdString(dir.file("pair.txt").string())),
            "Give the file the extension .png, .svg or .pdf.");
  EXPECT_FALSE(std::filesystem::exists(dir.file("pair.txt")));

  // The wheel over the curve zooms it; Home makes it whole again.
  window.show();
  QCoreApplication::processEvents();
  const window::Rect curve = window.model().layout().curve;
  const QPointF at(curve.left + curve.width / 2, curve.top + 10);
  QWheelEvent wheel(at, window.canvas()->mapToGlobal(at), QPoint(), QPoint(0, 240), Qt::NoButton, Qt::NoModifier,
                    Qt::NoScrollPhase, false);
  QApplication::sendEvent(window.canvas(), &wheel);
  EXPECT_LT(window.model().curveView().span(), window.model().curveExtent().span());
  QTest::keyClick(&window, Qt::Key_Home);
  EXPECT_EQ(window.model().curveView().span(), window.model().curveExtent().span());

  // File > Save As asks through the dialogs for one of the three types.
  dialogs.saveNames = {QString::fromStdString(dir.file("asked.svg").string()),
                       QString::fromStdString(dir.file("asked.txt").string())};
  window.saveAs();
  EXPECT_EQ(dialogs.saveTypes.size(), 3);
  EXPECT_TRUE(std::filesystem::exists(dir.file("asked.svg")));
  EXPECT_TRUE(dialogs.boxes.empty());
  window.saveAs();
  ASSERT_EQ(dialogs.boxes.size(), 1u);
  EXPECT_EQ(dialogs.boxes[0].caption, "Save Picture");
}

}  // namespace
}  // namespace veska::test
