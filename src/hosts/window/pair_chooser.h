// View > Pair...: the run's pairs in a table (pair_table_model.h), the best
// t first, sortable by every column and filtered by a series' identifier;
// the user picks one (Open, Enter or a double-click).
#pragma once

#include <cstddef>
#include <optional>

#include <QDialog>

class QLineEdit;
class QPushButton;
class QSortFilterProxyModel;
class QTableView;

namespace veska::match {
struct RunRecord;
}  // namespace veska::match

namespace veska::window {

class PairChooser : public QDialog {
  Q_OBJECT

 public:
  // The run must outlive the dialog.
  PairChooser(const match::RunRecord& run, QWidget* owner);

  QTableView* view() const { return view_; }
  QLineEdit* filter() const { return filter_; }
  // The pair of the current row (an index into run.pairs).
  std::optional<std::size_t> chosenPair() const;

 private:
  void keepARowCurrent();

  QSortFilterProxyModel* rows_ = nullptr;
  QTableView* view_ = nullptr;
  QLineEdit* filter_ = nullptr;
  QPushButton* open_ = nullptr;
};

}  // namespace veska::window
