// Printing a text window for real, to PDF files: the pages, the page range,
// copies, the "Printing..." box and its Cancel, and a printer that cannot be
// had.
#include "hosts/window/text_printer.h"

#include <gtest/gtest.h>

#include <QPrinter>
#include <QPushButton>
#include <QTimer>

#include "hosts/window/commands_fixture.h"

namespace veska::test {
namespace {

using Outcome = window::PrintReport::Outcome;

// Pages of a PDF file: its page objects, not the page tree ("/Pages").
int pdfPages(const std::filesystem::path& path) {
  const std::string pdf = readFile(path);
  const std::string page = "/Type /Page";
  int pages = 0;
  for (std::size_t at = pdf.find(page); at != std::string::npos; at = pdf.find(page, at + 1)) {
    if (pdf.compare(at + page.size(), 1, "s") != 0) ++pages;
  }
  return pages;
}

class PrintTest : public CommandsTest {
 protected:
  void SetUp() override {
    CommandsTest::SetUp();
    for (int i = 1; i <= 250; ++i) window.appendOutput("line " + std::to_string(i) + "\r\n");
  }
  // The print dialog answered with a PDF file, after `setUp` has its say.
  void printToPdf(const std::string& name, std::function<void(QPrinter&)> setUp = {}) {
    dialogs.onPrint = [this, name, setUp](QPrinter& printer) {
      printer.setOutputFormat(QPrinter::PdfFormat);
      printer.setOutputFileName(pathOf(name));
      if (setUp) setUp(printer);
      return true;
    };
  }
  window::PrintReport print() { return window::printWindow(&window, window, dialogs); }
};

TEST_F(PrintTest, WholeWindowPrintsOnAsManyPagesAsItNeeds) {
  printToPdf("all.pdf");
  const window::PrintReport report = print();
  ASSERT_EQ(report.outcome, Outcome::Printed);
  // A fixed-pitch font of ordinary size on an ordinary page.
  EXPECT_GT(report.linesPerPage, 20);
  EXPECT_LT(report.linesPerPage, 200);
  EXPECT_EQ(report.lines.first, 1);
  EXPECT_EQ(report.lines.last, 250);
  EXPECT_EQ(pdfPages(dir.file("all.pdf")), window::pageCount(250, report.linesPerPage));
  EXPECT_TRUE(dialogs.boxes.empty());
  EXPECT_EQ(window.findChild<window::PrintingBox*>(), nullptr);  // gone with the job
}

TEST_F(PrintTest, PageRangeAndCopies) {
  printToPdf("range.pdf", [](QPrinter& printer) {
    printer.setPrintRange(QPrinter::PageRange);
    printer.setFromTo(2, 3);
    printer.setCopyCount(2);
  });
  const window::PrintReport report = print();
  ASSERT_EQ(report.outcome, Outcome::Printed);
  EXPECT_EQ(report.lines.first, report.linesPerPage + 1);
  EXPECT_EQ(report.lines.last, std::min(3 * report.linesPerPage, 250));
  EXPECT_EQ(report.copies, 2);  // a PDF file holds its copies itself
  const int pagesPerCopy = window::pageCount(report.lines.last - report.lines.first + 1, report.linesPerPage);
  EXPECT_EQ(pdfPages(dir.file("range.pdf")), 2 * pagesPerCopy);
}

TEST_F(PrintTest, JobIsNamedVeskaInputOutput) {
  printToPdf("named.pdf");
  ASSERT_EQ(print().outcome, Outcome::Printed);
  const std::string pdf = readFile(dir.file("named.pdf"));
  // The document's title is written as UTF-16: look for its code units too.
  std::string utf16;
  const std::string name = "veska Input/Output";
  for (const char c : name) utf16 += std::string(1, '\0') + c;
  EXPECT_TRUE(pdf.find(name) != std::string::npos || pdf.find(utf16) != std::string::npos);
}

// Cancel in the "Printing..." box stops the job, and it is discarded.
TEST_F(PrintTest, CancelStopsAndDiscardsTheJob) {
  printToPdf("cancelled.pdf");
  bool clicked = false;
  QTimer::singleShot(0, [&] {
    auto* box = window.findChild<window::PrintingBox*>();
    if (!box) return;
    EXPECT_EQ(box->windowTitle(), "veska");
    EXPECT_EQ(QApplication::activeModalWidget(), box);  // only the box takes input while printing
    box->findChild<QPushButton*>()->click();
    clicked = true;
  });
  const window::PrintReport report = print();
  ASSERT_TRUE(clicked);
  EXPECT_EQ(report.outcome, Outcome::Stopped);
  EXPECT_FALSE(std::filesystem::exists(dir.file("cancelled.pdf")));
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  EXPECT_EQ(window.findChild<window::PrintingBox*>(), nullptr);
}

TEST_F(PrintTest, PrinterThatCannotBeHadIsReported) {
  printToPdf("no-such-dir/out.pdf");
  EXPECT_EQ(print().outcome, Outcome::NoPrinter);
  ASSERT_EQ(dialogs.boxes.size(), 1u);
  EXPECT_EQ(dialogs.boxes[0].text, "Cannot obtain Printer DC");
  EXPECT_EQ(dialogs.boxes[0].caption, "veska");
  EXPECT_EQ(dialogs.boxes[0].icon, window::Dialogs::Icon::Warning);
}

TEST_F(PrintTest, CancelledDialogPrintsNothing) {
  EXPECT_EQ(print().outcome, Outcome::Cancelled);
  EXPECT_EQ(dialogs.printDialogs, 1);
  EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(PrintTest, PrintCommandPrints) {
  printToPdf("command.pdf");
  commands->print();
  EXPECT_GT(pdfPages(dir.file("command.pdf")), 1);
  EXPECT_EQ(dialogs.owners, std::vector<QWidget*>{&window});
}

}  // namespace
}  // namespace veska::test
