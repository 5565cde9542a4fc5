// The picture of one pair: the t-statistic at every placement, with the
// three best numbered as the report gives them and the star threshold drawn,
// the two series drawn over each other at the selected placement with the
// overlap shaded, and the selected placement's slot text as the report
// writes it. One routine paints it on the window, an image, an SVG or PDF
// file and the printer, so all of them show the same; what it shows is the
// window's model (pair_window_model.h, pair_plots.h).
#pragma once

#include <optional>

#include <QRectF>
#include <QSize>
#include <QString>

class QPainter;

namespace veska::window {

class PairWindowModel;

// Paints the picture into `area` (logical pixels; the text sizes are fixed
// in them, so the picture scales as a whole with the painter's window).
void paintPairChart(QPainter& painter, const QRectF& area, const PairWindowModel& model);

// Writes the picture as PNG, SVG or PDF, as the file name's extension says
// (see picture_file.h): why it could not be written, or nothing.
std::optional<QString> savePairPicture(const QString& path, const PairWindowModel& model, QSize size);

}  // namespace veska::window
