// The pair window (object name pairWindow): one pair's t-curve and the two
// series at the selected placement (see pair_chart.h). The selection starts
// at the best placement; a click on the curve picks the nearest placement,
// Left and Right step one placement along the curve, Home goes back to the
// best. File > Save As writes the picture (PNG, SVG or PDF by extension),
// File > Print prints it, Edit > Copy copies the placement table as
// tab-separated text.
#pragma once

#include <memory>
#include <vector>

#include <QSize>
#include <QWidget>

#include "hosts/window/pair_chart.h"

class QCheckBox;

namespace veska::window {

class Dialogs;

class PairWindow : public QWidget {
  Q_OBJECT

 public:
  // Computes the pair's placements (the only ones held while it is open).
  PairWindow(const match::RunSeries& first, const match::RunSeries& second, Dialogs& dialogs,
             QWidget* parent = nullptr);
  ~PairWindow() override;

  const match::PairEvidence& evidence() const { return *evidence_; }
  int selected() const { return selected_; }
  void select(int placement);
  bool showsAsRead() const { return asRead_; }
  void showAsRead(bool asRead);
  PairPicture picture() const;
  // The area the picture takes in the window, in the canvas's pixels.
  QWidget* canvas() const { return canvas_; }

  // The picture into `path`, PNG, SVG or PDF by its extension.
  bool savePicture(const QString& path, QString* error) const;
  // The placement table, tab-separated, to the clipboard (Edit > Copy).
  void copyTable() const;

  static constexpr QSize kPictureSize{1200, 800};

 public slots:
  // File > Save As: the picture, PNG, SVG or PDF by the chosen extension.
  void saveAs();
  // File > Print: the picture.
  void print();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Placement k's neighbour along the curve's axis, `step` = -1 or +1.
  int neighbour(int k, int step) const;

  std::unique_ptr<const match::RunSeries> first_;
  std::unique_ptr<const match::RunSeries> second_;
  std::unique_ptr<const match::PairEvidence> evidence_;
  std::vector<int> alongAxis_;  // placements in the order of the curve's axis
  std::vector<int> rankOnAxis_; // and each placement's place in it
  Dialogs& dialogs_;
  QWidget* canvas_ = nullptr;
  QCheckBox* asReadBox_ = nullptr;
  int selected_ = -1;
  bool asRead_ = false;
};

}  // namespace veska::window
