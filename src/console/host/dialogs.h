// Every dialog and message box the host shows goes through this interface,
// so tests can answer them without a person.
#pragma once

#include <optional>

#include <QString>

class QWidget;

namespace veska::host {

class Dialogs {
 public:
  enum class Icon { Information, Warning, Error };

  virtual ~Dialogs() = default;

  // A modal box with an OK button.
  virtual void messageBox(QWidget* owner, const QString& text, const QString& caption, Icon icon) = 0;
  // A file to read, for an empty file-name answer (D10); nullopt on Cancel.
  virtual std::optional<QString> openFileName(QWidget* owner) = 0;
};

}  // namespace veska::host
