// Draws a text window's visible rows, its selection highlight and its caret
// from the model, one character per cell.
#pragma once

#include <QFont>
#include <QRect>

class QPainter;

namespace veska::window {

class TextWindowModel;

void paintText(QPainter& painter, const TextWindowModel& model, const QFont& font, const QRect& area,
               bool showCaret);

}  // namespace veska::window
