#include "hosts/window/pair_table_model.h"

#include <cmath>
#include <limits>

#include "hosts/window/model/pair_window_model.h"
#include "match/pair_break.h"
#include "match/pair_evidence.h"
#include "records/numeric_output.h"

namespace veska::window {
namespace {

QString idText(const std::u32string& id) { return QString::fromStdU32String(id).trimmed(); }

}  // namespace

PairTableModel::PairTableModel(const match::RunRecord& run, QObject* parent)
    : QAbstractTableModel(parent), run_(run), checks_(run.pairs.size()) {}

match::CheckAnswer PairTableModel::checkOf(int row) const {
  auto& cached = checks_[static_cast<std::size_t>(row)];
  if (!cached) {
    const match::RunPair& pair = run_.pairs[static_cast<std::size_t>(row)];
    cached = match::checkPair(run_.firstOf(pair), run_.secondOf(pair), pair.best, false).check.answer;
  }
  return *cached;
}

int PairTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(run_.pairs.size());
}

int PairTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant PairTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  switch (role) {
    case Qt::DisplayRole: return display(index.row(), index.column());
    case kSortRole: return sortKey(index.row(), index.column());
    case kPairRole: return static_cast<qulonglong>(index.row());
    case Qt::TextAlignmentRole:
      if (index.column() == FirstSeries || index.column() == SecondSeries || index.column() == Verdict ||
          index.column() == Check)
        return {};
      return int(Qt::AlignRight | Qt::AlignVCenter);
    default: return {};
  }
}

QVariant PairTableModel::display(int row, int column) const {
  const match::RunPair& pair = run_.pairs[static_cast<std::size_t>(row)];
  const match::Slot& best = pair.best.slots[0];
  switch (column) {
    case FirstSeries: return idText(run_.firstOf(pair).id);
    case SecondSeries: return idText(run_.secondOf(pair).id);
    case BestT: {
      // In the report's digits, with its star.
      const QString t = QString::fromStdString(records::formatFixed(best.tStatistic, 5, 1)).trimmed();
      return pair.best.star == '*' ? t + QStringLiteral(" *") : t;
    }
    case Overlap: return best.overlap;
    case Placements: return pair.best.trust.placements;
    case PChance: return QString::fromStdString(chanceText(pair.best.trust.pChance[0]));
    case Margin: return pair.best.trust.margin ? QString::fromStdString(marginText(pair.best.trust.margin)) : QString();
    case Verdict: return QString::fromStdString(std::string(match::verdictWord(pair.best.trust.verdict)));
    case Check: return QString::fromStdString(std::string(match::checkWord(checkOf(row))));
    default: return {};
  }
}

QVariant PairTableModel::sortKey(int row, int column) const {
  const match::RunPair& pair = run_.pairs[static_cast<std::size_t>(row)];
  switch (column) {
    case BestT: {
      // A t that is not a number sorts below every other.
      const float t = pair.best.slots[0].tStatistic;
      return std::isnan(t) ? -std::numeric_limits<double>::infinity() : static_cast<double>(t);
    }
    case Overlap: return pair.best.slots[0].overlap;
    case Placements: return pair.best.trust.placements;
    case PChance: return pair.best.trust.pChance[0];
    case Margin: {
      // A pair without slot 2 sorts below every margin.
      const auto margin = pair.best.trust.margin;
      return margin ? static_cast<double>(*margin) : -std::numeric_limits<double>::infinity();
    }
    case Verdict: return static_cast<int>(pair.best.trust.verdict);  // by strength
    default: return display(row, column);
  }
}

QVariant PairTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return QAbstractTableModel::headerData(section, orientation, role);
  switch (section) {
    case FirstSeries: return tr("First series");
    case SecondSeries: return tr("Second series");
    case BestT: return tr("Best t");
    case Overlap: return tr("Overlap");
    case Placements: return tr("Placements");
    case PChance: return tr("p_chance");
    case Margin: return tr("Margin");
    case Verdict: return tr("Verdict");
    case Check: return tr("Check");
    default: return {};
  }
}

}  // namespace veska::window
