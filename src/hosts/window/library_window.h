// The library window: one undated series against a library of reference
// chronologies. Above, the verdict and the end years the references
// propose; below, the ranked table (a model and a view) beside the map.
// A series chooser switches between the run's undated series, and a line
// above says what the library holds and what it could not read. File > Save
// As writes the verdict, consensus and map as a picture (PNG, SVG or PDF),
// File > Export Table... the ranked tables as CSV; double-clicking a row
// asks for that pair's window.
#pragma once

#include <memory>
#include <optional>

#include <QAbstractTableModel>
#include <QSize>
#include <QWidget>

#include "hosts/window/model/library_map.h"
#include "library/library.h"
#include "match/pair_evidence.h"

class QComboBox;
class QLabel;
class QTableView;

namespace veska::window {

class Dialogs;

// The ranked table of one series, one row per reference in rank order.
class LibraryTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  LibraryTableModel(std::shared_ptr<const library::Library> library, std::shared_ptr<const library::LibraryRun> run,
                    QObject* parent = nullptr);
  void setSeries(int series);
  // The reference (index into the library) on a row.
  std::size_t referenceAt(int row) const;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  std::shared_ptr<const library::Library> library_;
  std::shared_ptr<const library::LibraryRun> run_;
  int series_ = 0;
};

class LibraryWindow : public QWidget {
  Q_OBJECT

 public:
  LibraryWindow(std::shared_ptr<const library::Library> library, std::shared_ptr<const library::LibraryRun> run,
                Dialogs& dialogs, QWidget* parent = nullptr);

  int series() const { return series_; }
  void showSeries(int series);
  const LibraryMap& map() const { return map_; }
  LibraryTableModel& table() const { return *model_; }
  QTableView* tableView() const { return view_; }
  // The verdict and the consensus, as the window shows them above the table.
  QString verdictText() const;
  // Why the picture could not be written to `path`, or nothing.
  std::optional<QString> savePicture(const QString& path) const;

  // The pair of a row as the pair window takes it: the reference first, as
  // a dated series is in a run, then the undated series.
  match::RunSeries referenceSeries(std::size_t reference) const;
  match::RunSeries undatedSeries(int series) const;
  // What the library holds and could not read, as the window shows it.
  QString libraryText() const;

  static constexpr QSize kPictureSize{1200, 900};

 Q_SIGNALS:
  void pairRequested(int series, std::size_t reference);

 public Q_SLOTS:
  void saveAs();
  // File > Export Table...: every series' ranked table as one CSV file, the
  // same as the command line's --table.
  void exportTable();

 private:
  void paintPicture(QPainter& painter, const QRectF& area) const;

  std::shared_ptr<const library::Library> library_;
  std::shared_ptr<const library::LibraryRun> run_;
  Dialogs& dialogs_;
  LibraryTableModel* model_ = nullptr;
  QComboBox* chooser_ = nullptr;
  QLabel* verdict_ = nullptr;
  QTableView* view_ = nullptr;
  QWidget* mapView_ = nullptr;
  LibraryMap map_;
  int series_ = 0;
};

}  // namespace veska::window
