// Every dialog and message box the host shows goes through this interface,
// so tests can answer them without a person. The owner is the frame, so
// each is modal to it and none can be lost behind it.
#pragma once

#include <optional>
#include <vector>

#include <QColor>
#include <QFont>
#include <QString>

#include "hosts/window/model/system_figures.h"

class QPrinter;
class QWidget;

namespace veska::window {

class Dialogs {
 public:
  enum class Icon { Information, Warning, Error };
  enum class Answer { Yes, No, Cancel };

  virtual ~Dialogs() = default;

  // A modal box with an OK button.
  virtual void messageBox(QWidget* owner, const QString& text, const QString& caption, Icon icon) = 0;
  // A warning box with Yes, No and Cancel.
  virtual Answer question(QWidget* owner, const QString& text, const QString& caption) = 0;
  // A file to read, for an empty file-name answer; nullopt on Cancel.
  virtual std::optional<QString> openFileName(QWidget* owner) = 0;
  // A file to save a text window in: the dialog is captioned `caption` and
  // offers `defaultPath`, text files first, extension "txt" by default, and
  // asks before replacing a file. nullopt on Cancel.
  virtual std::optional<QString> saveFileName(QWidget* owner, const QString& caption,
                                              const QString& defaultPath) = 0;
  // The print dialog, which sets up `printer` (page range, copies, where
  // the job goes); false on Cancel.
  virtual bool setUpPrinter(QWidget* owner, QPrinter& printer) = 0;
  // A fixed-pitch font, starting from `current`; nullopt on Cancel.
  virtual std::optional<QFont> chooseFont(QWidget* owner, const QFont& current) = 0;
  // A colour, starting from `current`, so Cancel keeps it; nullopt on Cancel.
  virtual std::optional<QColor> chooseColour(QWidget* owner, const QColor& current) = 0;
  // The About box with the system's figures, until the user closes it.
  virtual void about(QWidget* owner, const std::vector<AboutRow>& rows) = 0;
};

}  // namespace veska::window
