// The dialogs a person answers: Qt's message boxes and file chooser.
#pragma once

#include "console/host/dialogs.h"

namespace veska::host {

class QtDialogs : public Dialogs {
 public:
  void messageBox(QWidget* owner, const QString& text, const QString& caption, Icon icon) override;
  std::optional<QString> openFileName(QWidget* owner) override;
};

}  // namespace veska::host
