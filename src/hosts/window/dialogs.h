// Every dialog and message box the host shows goes through this interface,
// so tests can answer them without a person. The owner is the frame, so
// each is modal to it and none can be lost behind it.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <vector>

#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>

#include "hosts/window/model/system_figures.h"

class QPrinter;
class QWidget;

namespace veska::match {
struct RunRecord;
}  // namespace veska::match

namespace veska::window {

// What File > Date Against Library... asks for.
struct LibraryChoice {
  QString folder;   // the library: a folder of reference files
  QString undated;  // the file of undated series
  QString species;  // species codes or genera to keep; empty for every species
};

class Dialogs {
 public:
  enum class Icon { Information, Warning, Error };
  enum class Answer { Yes, No, Cancel };

  virtual ~Dialogs() = default;

  // A modal box with an OK button.
  virtual void messageBox(QWidget* owner, const QString& text, const QString& caption, Icon icon) = 0;
  // A warning box with Yes, No and Cancel.
  virtual Answer question(QWidget* owner, const QString& text, const QString& caption) = 0;
  // A file to read, for an empty file-name answer: the dialog opens in
  // `startFolder` and offers `filters` ("Name (*.a *.b)"), the first
  // selected. nullopt on Cancel.
  virtual std::optional<QString> openFileName(QWidget* owner, const QString& startFolder,
                                              const QStringList& filters) = 0;
  // A file to save a text window in: the dialog is captioned `caption` and
  // offers `defaultPath`, text files first, extension "txt" by default, and
  // asks before replacing a file. nullopt on Cancel.
  virtual std::optional<QString> saveFileName(QWidget* owner, const QString& caption,
                                              const QString& defaultPath) = 0;
  // Why a name chosen in a save dialog must not be written; nothing when it
  // may.
  using SaveCheck = std::function<std::optional<QString>(const QString& path)>;
  // A file to write, of one of `types` ("PNG image (*.png)"), the first
  // selected: the dialog is captioned `caption`, offers `defaultPath`, and
  // gives a name typed without an extension the selected type's. A name
  // `check` refuses is refused at once, in a message box, before any
  // question about replacing a file, and the dialog asks again; only then
  // does it ask before replacing a file. nullopt on Cancel.
  virtual std::optional<QString> saveFileOfType(QWidget* owner, const QString& caption, const QString& defaultPath,
                                                const QStringList& types, const SaveCheck& check) = 0;
  // A whole number from `minimum` to `maximum`, under `label`, starting at
  // `value`; nullopt on Cancel.
  virtual std::optional<int> askNumber(QWidget* owner, const QString& caption, const QString& label, int value,
                                       int minimum, int maximum) = 0;
  // The print dialog, which sets up `printer` (page range, copies, where
  // the job goes); false on Cancel.
  virtual bool setUpPrinter(QWidget* owner, QPrinter& printer) = 0;
  // A fixed-pitch font, starting from `current`; nullopt on Cancel.
  virtual std::optional<QFont> chooseFont(QWidget* owner, const QFont& current) = 0;
  // A colour, starting from `current`, so Cancel keeps it; nullopt on Cancel.
  virtual std::optional<QColor> chooseColour(QWidget* owner, const QColor& current) = 0;
  // View > Pair...: one of the run's pairs (an index into run.pairs) from a
  // table of them; nullopt on Cancel.
  virtual std::optional<std::size_t> choosePair(QWidget* owner, const match::RunRecord& run) = 0;
  // File > Date Against Library...: the library folder, the undated file and
  // the species, the fields filled from `start`; nullopt on Cancel.
  virtual std::optional<LibraryChoice> chooseLibrarySearch(QWidget* owner, const LibraryChoice& start) = 0;
  // The About box with the system's figures, until the user closes it.
  virtual void about(QWidget* owner, const std::vector<AboutRow>& rows) = 0;
};

}  // namespace veska::window
