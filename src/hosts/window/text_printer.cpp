#include "hosts/window/text_printer.h"

#include <string>
#include <vector>

#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

#include "hosts/window/dialogs.h"
#include "hosts/window/text_window.h"

namespace veska::window {
namespace {

QString translated(const char* text) { return QCoreApplication::translate("veska::window::TextPrinter", text); }

class PrinterSink : public PageSink {
 public:
  PrinterSink(QPrinter& printer, QPainter& painter, const TextWindowModel& lines, int lineHeight)
      : printer_(printer), painter_(painter), lines_(lines), lineHeight_(lineHeight),
        ascent_(painter.fontMetrics().ascent()) {}

  bool newPage() override { return printer_.newPage(); }
  void drawLine(int row, int line) override {
    painter_.drawText(0, row * lineHeight_ + ascent_,
                      QString::fromStdU32String(lines_.line(line - 1)));
  }

 private:
  QPrinter& printer_;
  QPainter& painter_;
  const TextWindowModel& lines_;
  int lineHeight_;
  int ascent_;
};

// A font sized in pixels is a screen font; on paper each of its pixels is
// 1/100 inch, so it prints about as large as it shows.
QFont printerFont(const QFont& windowFont) {
  QFont font = windowFont;
  if (font.pointSizeF() <= 0 && font.pixelSize() > 0) font.setPointSizeF(font.pixelSize() * 0.72);
  return font;
}

std::optional<PageRange> chosenPages(const QPrinter& printer) {
  if (printer.printRange() != QPrinter::PageRange) return std::nullopt;
  return PageRange{printer.fromPage(), printer.toPage()};
}

// Printers that make their own copies get one; for the others (a PDF file)
// the job holds every copy.
int copiesToSend(const QPrinter& printer) {
  return printer.supportsMultipleCopies() ? 1 : printer.copyCount();
}

// A stopped job is aborted, so the printer discards it. Qt's PDF and CUPS engines cannot abort, and the
// painter must still end; a job printed to a file is then discarded by
// removing what it wrote.
void abortJob(QPrinter& printer, QPainter& painter) {
  const bool aborted = printer.abort();
  painter.end();
  if (!aborted && !printer.outputFileName().isEmpty()) QFile::remove(printer.outputFileName());
}

void cannotPrint(QWidget* owner, Dialogs& dialogs) {
  dialogs.messageBox(owner, translated("Cannot obtain Printer DC"), translated("veska"), Dialogs::Icon::Warning);
}

// The job itself, with the painter begun on the printer.
PrintResult runJob(QPrinter& printer, QPainter& painter, QWidget* owner, const TextWindow& window,
                   PrintReport& report) {
  painter.setFont(printerFont(window.textFont()));
  painter.setPen(QColor::fromRgb(window.model().textColour()));
  const int lineHeight = painter.fontMetrics().lineSpacing();  // at the printer's resolution
  const TextWindowModel& lines = window.model();
  report.linesPerPage = linesPerPage(printer.height(), lineHeight);
  report.lines = linesToPrint(report.linesPerPage, lines.lineCount(), chosenPages(printer));
  report.copies = copiesToSend(printer);

  // The box is modal to the frame: while it shows, the window and the menus
  // take no input, and its Cancel is seen between lines.
  PrintingBox box(owner);
  box.show();
  PrinterSink sink(printer, painter, lines, lineHeight);
  return printLines(sink, report.lines, report.linesPerPage, report.copies, [&box] {
    QCoreApplication::processEvents();
    return box.continues();
  });
}

}  // namespace

PrintingBox::PrintingBox(QWidget* owner) : QDialog(owner) {
  setObjectName(QStringLiteral("dialog%1").arg(kDialogId));
  setWindowTitle(tr("veska"));
  // Modal to the frame: while the job runs, no key, click or menu command
  // can reach the window being printed, or close it; only this box takes
  // input.
  setWindowModality(Qt::WindowModal);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(tr("Printing..."), this), 0, Qt::AlignHCenter);
  auto* cancel = new QPushButton(tr("Cancel"), this);
  cancel->setDefault(true);
  layout->addWidget(cancel, 0, Qt::AlignHCenter);
  connect(cancel, &QPushButton::clicked, this, [this] { continues_ = false; });
  connect(this, &QDialog::rejected, this, [this] { continues_ = false; });
}

PrintReport printWindow(QWidget* owner, TextWindow& window, Dialogs& dialogs) {
  PrintReport report;
  QPrinter printer(QPrinter::HighResolution);
  if (!dialogs.setUpPrinter(owner, printer)) return report;
  report.outcome = PrintReport::Outcome::NoPrinter;
  if (!printer.isValid()) {
    cannotPrint(owner, dialogs);
    return report;
  }
  printer.setDocName(translated("veska Input/Output"));
  QPainter painter;
  if (!painter.begin(&printer)) {
    cannotPrint(owner, dialogs);
    return report;
  }
  if (runJob(printer, painter, owner, window, report) == PrintResult::Stopped) {
    abortJob(printer, painter);
    report.outcome = PrintReport::Outcome::Stopped;
  } else {
    painter.end();
    report.outcome = PrintReport::Outcome::Printed;
  }
  return report;
}

}  // namespace veska::window
