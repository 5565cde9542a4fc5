// The run's pairs as a table for Qt's views: one row per pair, in the
// report's order, with the two identifiers, the best t-statistic (starred as
// the report stars it), the overlap of the best placement, and how far the
// pair's date can be trusted: the placements tried, slot 1's p_chance, the
// margin and the verdict; and the break check's answer for the pair, worked
// out when a row first shows it. Numbers sort as numbers and verdicts by
// strength (sortRole), and each row knows its pair (pairRole).
#pragma once

#include <optional>
#include <vector>

#include <QAbstractTableModel>

#include "match/break_check.h"

namespace veska::match {
struct RunRecord;
}  // namespace veska::match

namespace veska::window {

class PairTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  enum Column { FirstSeries, SecondSeries, BestT, Overlap, Placements, PChance, Margin, Verdict, Check, ColumnCount };
  static constexpr int kSortRole = Qt::UserRole;
  static constexpr int kPairRole = Qt::UserRole + 1;  // the index into run.pairs

  // The run must outlive the table.
  explicit PairTableModel(const match::RunRecord& run, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

 private:
  QVariant display(int row, int column) const;
  QVariant sortKey(int row, int column) const;
  match::CheckAnswer checkOf(int row) const;

  const match::RunRecord& run_;
  mutable std::vector<std::optional<match::CheckAnswer>> checks_;
};

}  // namespace veska::window
