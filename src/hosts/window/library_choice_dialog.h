// The dialog of File > Date Against Library...: the folder of reference
// files, the file of undated series (each with a Browse button) and the
// species to keep. OK is offered once both names are given.
#pragma once

#include <QDialog>

#include "hosts/window/dialogs.h"

class QComboBox;
class QDialogButtonBox;
class QLineEdit;

namespace veska::window {

class LibraryChoiceDialog : public QDialog {
  Q_OBJECT

 public:
  LibraryChoiceDialog(const LibraryChoice& start, QWidget* parent);
  LibraryChoice choice() const;

 private:
  void update();

  QLineEdit* folder_ = nullptr;
  QLineEdit* undated_ = nullptr;
  QLineEdit* species_ = nullptr;
  QComboBox* variable_ = nullptr;
  QDialogButtonBox* buttons_ = nullptr;
};

}  // namespace veska::window
