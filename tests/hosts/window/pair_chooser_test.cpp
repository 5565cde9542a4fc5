// View > Pair...'s table: the run's pairs, the best t first, every column
// sorted by its value (numbers as numbers), filtered by a series'
// identifier, and the row picked giving its pair.
#include "hosts/window/pair_chooser.h"

#include <gtest/gtest.h>

#include <cmath>

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QTest>

#include "hosts/window/pair_table_model.h"
#include "match/pair_evidence.h"

namespace veska::test {
namespace {

using window::PairChooser;
using window::PairTableModel;

// Four floating series, six pairs, each pair's best slot and trust set by
// hand: t values on both sides of 10 (text would sort 10.2 before 9.5), a
// NaN, an empty slot, overlaps and placements of 2 to 4 digits, chances
// from 1e-30 to 1, a pair without a margin.
match::RunRecord sixPairs() {
  match::RunRecord run;
  for (const char32_t* id : {U"OAK01   ", U"OAK02   ", U"PINE03  ", U"ELM04   "}) {
    match::RunSeries s;
    s.id = id;
    run.undated.push_back(s);
  }
  run.pairs = match::pairsInReportOrder(4, 0, false);
  const float t[] = {9.5f, 10.2f, NAN, 3.6f, -10.0f, 25.2f};
  const int overlap[] = {90, 120, 60, 200, 0, 1000};
  const int placements[] = {300, 1000, 50, 9000, 0, 20};
  const double chance[] = {0.04, 1e-30, 1, 0.5, 1, 2e-5};
  const std::optional<float> margin[] = {1.25f, std::nullopt, std::nullopt, 0.5f, std::nullopt, 12.0f};
  using match::Verdict;
  const Verdict verdict[] = {Verdict::Likely, Verdict::Strong, Verdict::None, Verdict::Chance, Verdict::None,
                             Verdict::Strong};
  for (std::size_t i = 0; i < run.pairs.size(); ++i) {
    match::BestThree& best = run.pairs[i].best;
    best.slots[0].tStatistic = t[i];
    best.slots[0].overlap = overlap[i];
    best.star = t[i] >= match::kStarThreshold ? '*' : ' ';
    best.trust.placements = placements[i];
    best.trust.pChance[0] = chance[i];
    best.trust.margin = margin[i];
    best.trust.verdict = verdict[i];
  }
  return run;
}

QStringList column(const QTableView& view, int c) {
  QStringList shown;
  for (int row = 0; row < view.model()->rowCount(); ++row) shown << view.model()->index(row, c).data().toString();
  return shown;
}

TEST(PairChooser, ListsThePairsBestTFirstAndSortsEveryColumnByItsValue) {
  const match::RunRecord run = sixPairs();
  PairChooser chooser(run, nullptr);
  QTableView& view = *chooser.view();
  QStringList headings;
  for (int c = 0; c < view.model()->columnCount(); ++c) headings << view.model()->headerData(c, Qt::Horizontal).toString();
  EXPECT_EQ(headings, QStringList({"First series", "Second series", "Best t", "Overlap", "Placements", "p_chance",
                                   "Margin", "Verdict", "Check"}));

  EXPECT_EQ(column(view, PairTableModel::BestT), QStringList({"25.2 *", "10.2 *", "9.5 *", "3.6 *", "-10.0", "NaN"}));
  EXPECT_EQ(column(view, PairTableModel::FirstSeries).first(), "PINE03");
  EXPECT_EQ(column(view, PairTableModel::SecondSeries).first(), "ELM04");
  EXPECT_EQ(chooser.chosenPair(), run.pairsByBestT().front());

  view.horizontalHeader()->setSortIndicator(PairTableModel::Overlap, Qt::AscendingOrder);
  EXPECT_EQ(column(view, PairTableModel::Overlap), QStringList({"0", "60", "90", "120", "200", "1000"}));
  view.horizontalHeader()->setSortIndicator(PairTableModel::Placements, Qt::AscendingOrder);
  EXPECT_EQ(column(view, PairTableModel::Placements), QStringList({"0", "20", "50", "300", "1000", "9000"}));
  view.horizontalHeader()->setSortIndicator(PairTableModel::PChance, Qt::AscendingOrder);
  EXPECT_EQ(column(view, PairTableModel::PChance).mid(0, 4), QStringList({"1.0e-30", "2.0e-05", "0.040", "0.500"}));
  view.horizontalHeader()->setSortIndicator(PairTableModel::Margin, Qt::DescendingOrder);
  EXPECT_EQ(column(view, PairTableModel::Margin).mid(0, 3), QStringList({"12.0", "1.3", "0.5"}));
  EXPECT_EQ(column(view, PairTableModel::Margin).mid(3), QStringList({"", "", ""}));  // no slot 2
  view.horizontalHeader()->setSortIndicator(PairTableModel::Verdict, Qt::DescendingOrder);
  EXPECT_EQ(column(view, PairTableModel::Verdict),
            QStringList({"strong", "strong", "likely", "chance", "none", "none"}));
  view.horizontalHeader()->setSortIndicator(PairTableModel::SecondSeries, Qt::AscendingOrder);
  EXPECT_EQ(column(view, PairTableModel::SecondSeries),
            QStringList({"ELM04", "ELM04", "ELM04", "OAK02", "PINE03", "PINE03"}));
}

TEST(PairChooser, FilterKeepsThePairsOfASeriesAndThePickedRowGivesItsPair) {
  const match::RunRecord run = sixPairs();
  PairChooser chooser(run, nullptr);
  QTableView& view = *chooser.view();
  QPushButton* open = chooser.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Open);
  chooser.filter()->setText("oak02");  // either identifier, any case
  EXPECT_EQ(view.model()->rowCount(), 3);
  for (int row = 0; row < 3; ++row) {
    const QString first = view.model()->index(row, PairTableModel::FirstSeries).data().toString();
    const QString second = view.model()->index(row, PairTableModel::SecondSeries).data().toString();
    EXPECT_TRUE(first == "OAK02" || second == "OAK02") << first.toStdString() << " " << second.toStdString();
  }
  // The row picked is the pair chosen, whatever the order and filter.
  view.setCurrentIndex(view.model()->index(2, 0));
  const std::size_t pair = *chooser.chosenPair();
  const auto id = [](const match::RunSeries& s) { return QString::fromStdU32String(s.id).trimmed(); };
  EXPECT_EQ(id(run.firstOf(run.pairs[pair])), view.model()->index(2, PairTableModel::FirstSeries).data().toString());
  EXPECT_EQ(id(run.secondOf(run.pairs[pair])), view.model()->index(2, PairTableModel::SecondSeries).data().toString());

  chooser.filter()->setText("ASH");
  EXPECT_EQ(view.model()->rowCount(), 0);
  EXPECT_EQ(chooser.chosenPair(), std::nullopt);
  ASSERT_NE(open, nullptr);
  EXPECT_FALSE(open->isEnabled());
  chooser.filter()->clear();
  EXPECT_TRUE(open->isEnabled());

  // Enter on a row opens it.
  chooser.show();
  QTest::keyClick(&view, Qt::Key_Return);
  EXPECT_EQ(chooser.result(), QDialog::Accepted);
}

}  // namespace
}  // namespace veska::test
