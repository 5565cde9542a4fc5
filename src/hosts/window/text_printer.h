// Prints a text window's lines: the print dialog, the job on the printer in
// the window's font and colour, the "Printing..." box that can stop it, and
// the clean-up. A stopped job is aborted, not finished, so the printer
// discards it.
#pragma once

#include <QDialog>

#include "hosts/window/model/print_layout.h"

namespace veska::window {

class Dialogs;
class TextWindow;

// The "Printing..." box (dialog 200) shown while a job prints: its Cancel,
// or closing it, stops the job.
class PrintingBox : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kDialogId = 200;

  explicit PrintingBox(QWidget* owner);

  // Printing goes on until the user cancels.
  bool continues() const { return continues_; }

 private:
  bool continues_ = true;
};

struct PrintReport {
  enum class Outcome {
    Cancelled,  // at the print dialog: nothing happened
    NoPrinter,  // no printer could be had: "Cannot obtain Printer DC"
    Printed,
    Stopped,    // Cancel in the "Printing..." box, or a page the printer refused
  };
  Outcome outcome = Outcome::Cancelled;
  int linesPerPage = 0;
  LineRange lines{1, 0};
  int copies = 0;
};

// `owner` owns the dialogs (the frame, so that they are modal to it).
PrintReport printWindow(QWidget* owner, TextWindow& window, Dialogs& dialogs);

}  // namespace veska::window
