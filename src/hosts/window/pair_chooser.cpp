#include "hosts/window/pair_chooser.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>

#include "hosts/window/pair_table_model.h"

namespace veska::window {
namespace {

// Keeps the rows whose first or second identifier holds the filter text.
class SeriesFilter : public QSortFilterProxyModel {
 public:
  using QSortFilterProxyModel::QSortFilterProxyModel;

 protected:
  bool filterAcceptsRow(int row, const QModelIndex& parent) const override {
    for (const int column : {PairTableModel::FirstSeries, PairTableModel::SecondSeries}) {
      const QString id = sourceModel()->index(row, column, parent).data().toString();
      if (filterRegularExpression().match(id).hasMatch()) return true;
    }
    return false;
  }
};

}  // namespace

PairChooser::PairChooser(const match::RunRecord& run, QWidget* owner) : QDialog(owner) {
  setWindowTitle(tr("Pair"));
  rows_ = new SeriesFilter(this);
  rows_->setSourceModel(new PairTableModel(run, this));
  rows_->setSortRole(PairTableModel::kSortRole);
  rows_->setFilterCaseSensitivity(Qt::CaseInsensitive);

  filter_ = new QLineEdit(this);
  filter_->setPlaceholderText(tr("Series identifier"));
  filter_->setClearButtonEnabled(true);
  view_ = new QTableView(this);
  view_->setModel(rows_);
  view_->setSelectionBehavior(QAbstractItemView::SelectRows);
  view_->setSelectionMode(QAbstractItemView::SingleSelection);
  view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view_->setSortingEnabled(true);
  view_->sortByColumn(PairTableModel::BestT, Qt::DescendingOrder);
  view_->verticalHeader()->hide();
  view_->horizontalHeader()->setStretchLastSection(true);
  view_->resizeColumnsToContents();

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Open | QDialogButtonBox::Cancel, this);
  open_ = buttons->button(QDialogButtonBox::Open);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(view_, &QTableView::activated, this, &QDialog::accept);
  connect(filter_, &QLineEdit::textChanged, this, [this](const QString& text) {
    rows_->setFilterFixedString(text);
    keepARowCurrent();
  });

  auto* filterRow = new QHBoxLayout;
  filterRow->addWidget(new QLabel(tr("Series:"), this));
  filterRow->addWidget(filter_, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(filterRow);
  layout->addWidget(view_, 1);
  layout->addWidget(buttons);
  resize(760, 440);
  keepARowCurrent();
  view_->setFocus();
}

// The first row shown is current until the user picks another; Open is
// offered only while a row is.
void PairChooser::keepARowCurrent() {
  if (!view_->currentIndex().isValid() && rows_->rowCount() > 0)
    view_->setCurrentIndex(rows_->index(0, 0));
  open_->setEnabled(view_->currentIndex().isValid());
}

std::optional<std::size_t> PairChooser::chosenPair() const {
  const QModelIndex current = view_->currentIndex();
  if (!current.isValid()) return std::nullopt;
  return static_cast<std::size_t>(current.data(PairTableModel::kPairRole).toULongLong());
}

}  // namespace veska::window
