// The pair window (object name pairWindow): one pair's t-curve and the two
// series at the selected placement (see pair_chart.h), a view of its model
// (pair_window_model.h). The selection starts at the best placement; a click
// on the curve picks the nearest placement, Left and Right step one
// placement along the curve; the wheel zooms either plot and a drag pans it;
// Home goes back to the best placement with both plots whole.
//
// Its commands, which the frame's menus forward to the active pair window:
// File > Save As writes the picture (PNG, SVG or PDF by extension), File >
// Print prints it, Edit > Copy copies the placement table as tab-separated
// text, File > Save Series at This Placement... saves the second (floating)
// series with the years the selected placement gives it, File > Save
// Corrected Series... the second series with the break check's correction.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include <QSize>
#include <QWidget>

#include "hosts/window/model/pair_window_model.h"

class QCheckBox;

namespace veska::window {

class Dialogs;

class PairWindow : public QWidget {
  Q_OBJECT

 public:
  // Computes the pair's placements (the only ones held while it is open).
  // `firstDated`: the first series has years. `dataFiles`: the run's data
  // files as opened, which a saved series never replaces.
  PairWindow(const match::RunSeries& first, const match::RunSeries& second, bool firstDated,
             std::vector<std::string> dataFiles, Dialogs& dialogs, QWidget* parent = nullptr);
  ~PairWindow() override;

  const PairWindowModel& model() const { return model_; }
  const match::PairEvidence& evidence() const { return model_.evidence(); }
  std::optional<int> selected() const { return model_.selected(); }
  void select(int placement);
  void showAsRead(bool asRead);
  // The area the picture takes in the window.
  QWidget* canvas() const { return canvas_; }

  // The picture into `path`, PNG, SVG or PDF by its extension; why it could
  // not be written, or nothing.
  std::optional<QString> savePicture(const QString& path) const;

  static constexpr QSize kPictureSize{1200, 800};

 public Q_SLOTS:
  // File > Save As: the picture, PNG, SVG or PDF by the chosen type.
  void saveAs();
  // File > Print: the picture.
  void print();
  // Edit > Copy: the placement table, tab-separated, to the clipboard.
  void copyTable();
  // File > Save Series at This Placement...: the second series dated by the
  // selected placement, as a decadal, Heidelberg or CSV file by the name's
  // extension; when the first series floats too, the year of its last ring
  // is asked first.
  void saveSeriesAtPlacement();
  // File > Save Corrected Series...: the second series with the break the
  // check found corrected, dated by the placement of its part before the
  // break, after the user confirms the correction; the same layouts and the
  // same question for a floating first series as above.
  void saveCorrectedSeries();

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void refresh();
  // The year of the first series' last ring, asked when it floats (nullopt
  // in `year` then on Cancel); false on Cancel.
  bool askFirstLastYear(const QString& caption, std::optional<std::int64_t>& year);

  PairWindowModel model_;
  std::vector<std::string> dataFiles_;
  Dialogs& dialogs_;
  QWidget* canvas_ = nullptr;
  QCheckBox* asReadBox_ = nullptr;
};

}  // namespace veska::window
