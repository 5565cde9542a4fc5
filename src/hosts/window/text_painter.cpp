#include "hosts/window/text_painter.h"

#include <algorithm>

#include <QColor>
#include <QFontMetrics>
#include <QPainter>
#include <QString>

#include "hosts/window/model/text_window_model.h"

namespace veska::window {
namespace {

bool isAscii(char32_t c) { return c > U' ' && c < 0x7F; }

// In a fixed-pitch font whose ASCII characters each fill exactly one cell, a
// run of them can be drawn with one call: a call per character was most of
// the window's painting while output streams.
bool asciiFillsCells(const QFontMetrics& metrics, int charWidth) {
  return metrics.horizontalAdvance(QLatin1Char('i')) == charWidth &&
         metrics.horizontalAdvance(QStringLiteral("iW.m0#")) == 6 * charWidth;
}

// Columns [from, to) of `line` at row `row`. Every other character is drawn
// in its own cell, so a glyph wider or narrower than the font's cell cannot
// shift the columns after it.
void drawCells(QPainter& painter, const TextWindowModel& model, const std::u32string& line, int row,
               int from, int to, int ascent, bool asciiRuns) {
  const int end = std::min(to, static_cast<int>(line.size()));
  const int y = model.cellY(row) + ascent;
  for (int column = std::max(0, from); column < end; ++column) {
    const char32_t c = line[static_cast<std::size_t>(column)];
    if (c == U' ') continue;
    int runEnd = column + 1;
    if (asciiRuns && isAscii(c)) {
      while (runEnd < end && isAscii(line[static_cast<std::size_t>(runEnd)])) ++runEnd;
    }
    painter.drawText(model.cellX(column), y,
                     QString::fromUcs4(line.data() + column, static_cast<qsizetype>(runEnd - column)));
    column = runEnd - 1;
  }
}

void drawRows(QPainter& painter, const TextWindowModel& model, const QRect& area, int ascent, bool asciiRuns) {
  const int firstColumn = model.scroll().horizontalPosition();
  const int lastColumn = firstColumn + model.scroll().visibleColumns() + 1;
  const auto rows = model.rowsToPaint(area.top(), area.bottom());
  for (int row = rows.first; row <= rows.last; ++row) {
    drawCells(painter, model, model.line(row), row, firstColumn, lastColumn, ascent, asciiRuns);
  }
}

// White characters on blue.
void drawHighlight(QPainter& painter, const TextWindowModel& model, int ascent, bool asciiRuns) {
  const auto& selection = model.selection();
  if (!model.highlightVisible() || selection.row() >= model.lineCount()) return;
  const QRect span(model.cellX(selection.start()), model.cellY(selection.row()),
                   (selection.end() - selection.start()) * model.charWidth(), model.lineHeight());
  painter.fillRect(span, QColor(0, 0, 255));
  painter.setPen(Qt::white);
  drawCells(painter, model, model.line(selection.row()), selection.row(),
            selection.start(), selection.end(), ascent, asciiRuns);
}

// A solid block that inverts what lies under it, as a caret does.
void drawCaret(QPainter& painter, const TextWindowModel& model) {
  const QRect cell(model.cellX(model.caretColumn()), model.cellY(model.caretRow()), model.charWidth(),
                   model.lineHeight());
  painter.setCompositionMode(QPainter::RasterOp_NotDestination);
  painter.fillRect(cell, Qt::black);
  painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

}  // namespace

void paintText(QPainter& painter, const TextWindowModel& model, const QFont& font, const QRect& area,
               bool showCaret) {
  painter.fillRect(area, Qt::white);
  painter.setFont(font);
  const QFontMetrics metrics(font);
  const int ascent = metrics.ascent();
  const bool asciiRuns = asciiFillsCells(metrics, model.charWidth());
  painter.setPen(QColor::fromRgb(model.textColour()));
  drawRows(painter, model, area, ascent, asciiRuns);
  drawHighlight(painter, model, ascent, asciiRuns);
  if (showCaret) drawCaret(painter, model);
}

}  // namespace veska::window
