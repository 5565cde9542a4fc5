// Prints a text window's lines: the print dialog, the job on the printer in
// the window's font and colour, the "Printing..." box that can stop it, and
// the clean-up. A stopped job is aborted, not finished (F5).
#pragma once

#include "hosts/window/model/print_layout.h"

class QWidget;

namespace veska::window {

class Dialogs;
class TextWindow;

inline constexpr const char* kPrintDocumentName = "VIRN Input/Output";

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

// `owner` owns the dialogs (the frame, D20).
PrintReport printWindow(QWidget* owner, TextWindow& window, Dialogs& dialogs);

}  // namespace veska::window
