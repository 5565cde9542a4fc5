// The "Printing..." box (dialog 200) shown while a job prints: its Cancel,
// or closing it, stops the job.
#pragma once

#include <QDialog>

namespace veska::window {

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

}  // namespace veska::window
