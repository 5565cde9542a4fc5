#include "hosts/window/library_window.h"

#include <cmath>

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

#include "hosts/window/dialogs.h"
#include "hosts/window/library_map_painter.h"
#include "hosts/window/model/pair_break_view.h"
#include "hosts/window/picture_file.h"
#include "hosts/window/save_checks.h"
#include "library/library_summary.h"
#include "library/library_table.h"
#include "records/text.h"
#include "runtime/new_file.h"

namespace veska::window {
namespace {

enum Column { Rank, Reference, Species, Distance, Overlap, EndYear, T, PChance, LibraryP, Verdict, kColumns };

QString idText(const std::u32string& id) { return QString::fromStdString(records::toUtf8(id)).trimmed(); }

// The map of the series, painted in the window and into the picture.
class MapCanvas : public QWidget {
 public:
  explicit MapCanvas(const LibraryMap& map, QWidget* parent) : QWidget(parent), map_(map) { setMinimumSize(320, 240); }
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    paintLibraryMap(p, QRectF(rect()), map_, worldCoastlines());
  }

 private:
  const LibraryMap& map_;
};

}  // namespace

LibraryTableModel::LibraryTableModel(std::shared_ptr<const library::Library> library,
                                     std::shared_ptr<const library::LibraryRun> run, QObject* parent)
    : QAbstractTableModel(parent), library_(std::move(library)), run_(std::move(run)) {}

void LibraryTableModel::setSeries(int series) {
  beginResetModel();
  series_ = series;
  endResetModel();
}

std::size_t LibraryTableModel::referenceAt(int row) const {
  const library::SeriesJudgement& judgement = run_->judgements.at(static_cast<std::size_t>(series_));
  return judgement.rows.at(static_cast<std::size_t>(row)).outcome.reference;
}

int LibraryTableModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid() || static_cast<std::size_t>(series_) >= run_->judgements.size()) return 0;
  return static_cast<int>(run_->judgements[static_cast<std::size_t>(series_)].rows.size());
}

int LibraryTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumns; }

QVariant LibraryTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  static const char* const names[kColumns] = {"Rank", "Reference", "Species", "Distance (km)", "Overlap",
                                               "End year", "t", "p_chance", "Library p", "Verdict"};
  return section >= 0 && section < kColumns ? QString::fromUtf8(names[section]) : QVariant();
}

QVariant LibraryTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const library::RankedRow& row =
      run_->judgements.at(static_cast<std::size_t>(series_)).rows.at(static_cast<std::size_t>(index.row()));
  const library::Reference& ref = library_->references.at(row.outcome.reference);
  if (role == Qt::TextAlignmentRole)
    return index.column() == Reference || index.column() == Species || index.column() == Verdict
               ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
               : QVariant(Qt::AlignRight | Qt::AlignVCenter);
  if (role == Qt::ToolTipRole && index.column() == Reference)
    return QString::fromStdString(ref.titleLines.empty() ? ref.name : ref.name + "\n" + ref.titleLines.front());
  if (role != Qt::DisplayRole) return {};
  const library::PairOutcome& o = row.outcome;
  const bool placed = o.placed;
  switch (index.column()) {
    case Rank: return row.rank;
    case Reference: return QString::fromStdString(ref.name);
    case Species: return QString::fromStdString(ref.species);
    case Distance: return row.distanceKm ? QString::number(*row.distanceKm, 'f', 0) : QString();
    case Overlap: return placed ? QString::number(o.overlap) : QString();
    case EndYear: return placed ? QString::number(o.endYear) : QString();
    case T: return placed ? (std::isinf(o.t) ? QStringLiteral("Inf") : QString::number(o.t, 'f', 2)) : QString();
    case PChance: return placed ? QString::fromStdString(library::probabilityText(o.pChance)) : QString();
    case LibraryP: return placed ? QString::fromStdString(library::probabilityText(row.libraryP)) : QString();
    case Verdict: return QString::fromStdString(row.verdict);
  }
  return {};
}

LibraryWindow::LibraryWindow(std::shared_ptr<const library::Library> library,
                             std::shared_ptr<const library::LibraryRun> run, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent), library_(std::move(library)), run_(std::move(run)), dialogs_(dialogs) {
  setObjectName(QStringLiteral("LIBRARYCHILD"));
  setWindowTitle(tr("Library: %1").arg(QString::fromStdString(library_->folder)));
  auto* layout = new QVBoxLayout(this);
  chooser_ = new QComboBox(this);
  auto* about = new QLabel(libraryText(), this);
  about->setTextInteractionFlags(Qt::TextSelectableByMouse);
  layout->addWidget(about);
  for (const library::UndatedSeries& s : run_->series) chooser_->addItem(idText(s.id));
  chooser_->setVisible(run_->series.size() > 1);
  layout->addWidget(chooser_);
  verdict_ = new QLabel(this);
  verdict_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  verdict_->setWordWrap(true);
  layout->addWidget(verdict_);
  auto* split = new QSplitter(Qt::Horizontal, this);
  model_ = new LibraryTableModel(library_, run_, this);
  view_ = new QTableView(split);
  view_->setModel(model_);
  view_->setSelectionBehavior(QAbstractItemView::SelectRows);
  view_->setSelectionMode(QAbstractItemView::SingleSelection);
  view_->verticalHeader()->hide();
  mapView_ = new MapCanvas(map_, split);
  split->addWidget(view_);
  split->addWidget(mapView_);
  // The table's numbers matter most: it takes the larger share.
  split->setStretchFactor(0, 3);
  split->setStretchFactor(1, 2);
  split->setSizes({720, 480});
  view_->verticalHeader()->setDefaultSectionSize(view_->fontMetrics().height() + 6);
  layout->addWidget(split, 1);
  connect(chooser_, &QComboBox::currentIndexChanged, this, [this](int s) { showSeries(s); });
  connect(view_, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
    if (index.isValid()) Q_EMIT pairRequested(series_, model_->referenceAt(index.row()));
  });
  showSeries(0);
}

void LibraryWindow::showSeries(int series) {
  if (series < 0 || static_cast<std::size_t>(series) >= run_->judgements.size()) return;
  series_ = series;
  const auto s = static_cast<std::size_t>(series);
  model_->setSeries(series);
  view_->resizeColumnsToContents();
  // A long file name is cut (its tooltip has the title); the numbers stay in view.
  view_->setColumnWidth(Reference,
                        std::min(view_->columnWidth(Reference), 22 * view_->fontMetrics().averageCharWidth()));
  map_ = buildLibraryMap(*library_, run_->series[s], run_->judgements[s]);
  verdict_->setText(verdictText());
  if (chooser_->currentIndex() != series) chooser_->setCurrentIndex(series);
  mapView_->update();
}

QString LibraryWindow::verdictText() const {
  const auto s = static_cast<std::size_t>(series_);
  if (s >= run_->judgements.size()) return {};
  // The summary's lines down to its table.
  QStringList lines;
  for (const std::string& line : library::seriesSummary(run_->series[s], run_->judgements[s], *library_, 0)) {
    if (line.rfind("   rank", 0) == 0) break;
    if (!line.empty()) lines << QString::fromStdString(line).trimmed();
  }
  // The break check of the series against its best reference, as that
  // pair's window gives it.
  if (const library::RankedRow* best = run_->judgements[s].best()) {
    const PairWindowModel pair(referenceSeries(best->outcome.reference), undatedSeries(series_), true);
    std::string headline = checkLines(pair).headline;
    const std::string opening = "Break check";
    if (headline.rfind(opening, 0) == 0) headline.insert(opening.size(), " against " + pair.firstId());
    lines << QString::fromStdString(headline);
  }
  return lines.join(QLatin1Char('\n'));
}

match::RunSeries LibraryWindow::referenceSeries(std::size_t reference) const {
  const library::Reference& ref = library_->references.at(reference);
  return {ref.id, static_cast<int>(reference) + 1, ref.firstYear, ref.compared, ref.values};
}

match::RunSeries LibraryWindow::undatedSeries(int series) const {
  const library::UndatedSeries& s = run_->series.at(static_cast<std::size_t>(series));
  return {s.id, series + 1, s.firstYear, s.compared, s.values};
}

QString LibraryWindow::libraryText() const {
  // A library of thousands of files may have hundreds it could not read:
  // the first few, and how many more.
  constexpr int kShown = 5;
  const std::vector<std::string> summary = library::librarySummary(*library_);
  QStringList lines;
  for (std::size_t k = 0; k < summary.size() && k < kShown; ++k) lines << QString::fromStdString(summary[k]).trimmed();
  if (summary.size() > kShown) lines << tr("... and %1 more notes on the library").arg(summary.size() - kShown);
  return lines.join(QLatin1Char('\n'));
}

void LibraryWindow::paintPicture(QPainter& p, const QRectF& area) const {
  p.fillRect(area, Qt::white);
  const QFontMetricsF fm(p.font());
  const QString text = verdictText();
  const QRectF textArea(area.left() + 12, area.top() + 12, area.width() - 24, area.height() / 3);
  const QRectF used = p.boundingRect(textArea, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
  p.setPen(Qt::black);
  p.drawText(textArea, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text);
  const double mapTop = used.bottom() + fm.height();
  paintLibraryMap(p, QRectF(area.left(), mapTop, area.width(), area.bottom() - mapTop),
                  map_, worldCoastlines());
}

std::optional<QString> LibraryWindow::savePicture(const QString& path) const {
  return window::savePicture(path, kPictureSize, windowTitle(),
                             [this](QPainter& p, const QRectF& area) { paintPicture(p, area); });
}

void LibraryWindow::exportTable() {
  const auto path = dialogs_.saveFileOfType(window(), tr("Export Table"), QStringLiteral("library.csv"),
                                            {tr("CSV table (*.csv)")}, unwritableFile);
  if (!path) return;
  const std::string reason = runtime::writeNewFile(fileNameBytes(*path), [this](std::ostream& table) {
    library::writeLibraryTable(table, run_->series, run_->judgements, library_->references);
  });
  if (!reason.empty())
    dialogs_.messageBox(window(),
                        tr("The table could not be written to %1: %2.").arg(*path, QString::fromStdString(reason)),
                        tr("Export Table"), Dialogs::Icon::Warning);
}

void LibraryWindow::saveAs() {
  const auto path = dialogs_.saveFileOfType(window(), tr("Save Picture As"),
                                            chooser_->currentText() + QStringLiteral("-library.png"), pictureTypes(),
                                            unwritableFile);
  if (!path) return;
  if (const auto why = savePicture(*path))
    dialogs_.messageBox(window(), *why, tr("Save Picture"), Dialogs::Icon::Warning);
}

}  // namespace veska::window
