// The About box (dialog 100): the program's name and the system's figures
// in five rows of label and value, closed by Continue.
#pragma once

#include <vector>

#include <QDialog>

#include "hosts/window/model/system_figures.h"

namespace veska::window {

class AboutBox : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kDialogId = 100;
  // Control ids of the values, in row order.
  static constexpr int kFirstValueId = 102;

  AboutBox(const std::vector<AboutRow>& rows, QWidget* owner);
};

}  // namespace veska::window
