// The File, Edit and Format commands of a text window — Save, Save As,
// Print, Cut, Copy, Paste, Delete, Font and Colour — and the question asked
// before a window with unsaved text closes. They run from the menus while
// the program waits for input, writes, or has ended.
#pragma once

#include <optional>
#include <string>

#include <QObject>
#include <QString>

class QWidget;

namespace veska::window {

class Dialogs;
class TextWindow;

class TextCommands : public QObject {
  Q_OBJECT

 public:
  // Gives `window` its commands and its save question. `savePath` is the
  // host's path last chosen in a Save As dialog, shared by every window.
  static TextCommands* attach(TextWindow& window, Dialogs& dialogs, std::string& savePath);

  // The save question: whether the window may close.
  bool mayClose();

  // Save has a file name to write to without asking.
  bool named() const { return named_; }
  const QString& fileName() const { return fileName_; }

 public Q_SLOTS:
  void save() { saveText(); }
  // Save As keeps the name for the title only: a later Save asks again.
  void saveAs();
  void print();
  void cut();
  void copy() { copyToClipboard(); }
  void paste();
  void deleteSelection();
  void chooseFont();
  void chooseColour();

 private:
  TextCommands(TextWindow& window, Dialogs& dialogs, std::string& savePath);

  QWidget* owner() const;
  QString caption() const;
  std::optional<QString> askForFile();
  bool writeTo(const QString& path);
  // Whether the text is now in its file.
  bool saveText();
  bool copyToClipboard();

  TextWindow& window_;
  Dialogs& dialogs_;
  std::string& savePath_;
  bool named_ = false;
  QString fileName_;
};

}  // namespace veska::window
