#include "hosts/window/text_commands.h"

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>

#include "hosts/window/command_ids.h"
#include "hosts/window/dialogs.h"
#include "hosts/window/model/paste_text.h"
#include "hosts/window/model/save_naming.h"
#include "hosts/window/model/text_file.h"
#include "hosts/window/text_printer.h"
#include "hosts/window/text_window.h"

namespace veska::window {
namespace {

QString caption() { return QString::fromUtf8(kCommandCaption); }

}  // namespace

TextCommands* TextCommands::attach(TextWindow& window, Dialogs& dialogs, std::string& savePath) {
  auto* commands = new TextCommands(window, dialogs, savePath);
  window.setCommandHandler([commands](int id) { return commands->run(id); });
  window.setCloseGuard([commands](TextWindow&) { return commands->mayClose(); });
  return commands;
}

TextCommands::TextCommands(TextWindow& window, Dialogs& dialogs, std::string& savePath)
    : QObject(&window), window_(window), dialogs_(dialogs), savePath_(savePath) {}

// The frame, so every dialog is modal to it (D20).
QWidget* TextCommands::owner() const { return window_.window(); }

bool TextCommands::run(int id) {
  using namespace command;
  switch (id) {
    case kSave: save(); return true;
    case kSaveAs: saveAs(); return true;
    case kPrint: printWindow(owner(), window_, dialogs_); return true;
    case kCut: cut(); return true;
    case kCopy: copy(); return true;
    case kPaste: paste(); return true;
    case kDelete: deleteSelection(); return true;
    case kFont: chooseFont(); return true;
    case kColour: chooseColour(); return true;
    default: return false;  // Undo among them
  }
}

// The Save As dialog, offering the window's save title in the directory of
// the path last chosen.
std::optional<QString> TextCommands::askForFile() {
  const std::string title = saveTitle(window_.windowTitle().toStdString());
  savePath_ = defaultSavePath(savePath_, QDir::currentPath().toStdString(), title);
  std::optional<QString> path =
      dialogs_.saveFileName(owner(), QString::fromStdString(title), QString::fromStdString(savePath_));
  if (path && path->isEmpty()) path.reset();
  if (path) savePath_ = path->toStdString();
  return path;
}

// F3: a save that failed leaves the text marked unsaved, and Save offered.
bool TextCommands::writeTo(const QString& path) {
  const SaveResult result = writeTextFile(path.toStdString(), window_.model().lines());
  if (result != SaveResult::Written) {
    dialogs_.messageBox(owner(), QString::fromUtf8(saveFailureMessage(result)), caption(), Dialogs::Icon::Warning);
    return false;
  }
  window_.model().markSaved();
  window_.refresh();
  return true;
}

// Whether the text is now in its file.
bool TextCommands::save() {
  if (!named_) {
    const std::optional<QString> path = askForFile();
    if (!path) return false;
    fileName_ = *path;
    named_ = true;
    window_.setWindowTitle(QString::fromStdString(fileNameOf(path->toStdString())));
  }
  return writeTo(fileName_);
}

// Save As keeps the name for the title only: a later Save asks again.
void TextCommands::saveAs() {
  const std::optional<QString> path = askForFile();
  if (!path) return;
  fileName_ = *path;
  window_.setWindowTitle(QString::fromStdString(fileNameOf(path->toStdString())));
  writeTo(*path);
}

bool TextCommands::mayClose() {
  if (!window_.model().modified()) return true;
  const std::string question = saveQuestion(window_.windowTitle().toStdString());
  switch (dialogs_.question(owner(), QString::fromStdString(question), caption())) {
    case Dialogs::Answer::No: return true;
    case Dialogs::Answer::Cancel: return false;
    case Dialogs::Answer::Yes: break;
  }
  // F2: a file dialog cancelled, or a save that failed, keeps the window
  // and its text, as Cancel does.
  return save();
}

bool TextCommands::copy() {
  const std::u32string text = window_.model().selectedText();
  if (text.empty()) return false;
  QGuiApplication::clipboard()->setText(QString::fromStdU32String(text));
  return true;
}

void TextCommands::cut() {
  if (copy()) deleteSelection();
}

void TextCommands::deleteSelection() {
  window_.model().deleteSelection();
  window_.refresh();
}

void TextCommands::paste() {
  const QString text = QGuiApplication::clipboard()->text();
  if (text.isEmpty()) return;
  window_.typeCharacters(pastedCharacters(text.toStdU32String()));
}

void TextCommands::chooseFont() {
  if (const std::optional<QFont> font = dialogs_.chooseFont(owner(), window_.textFont())) window_.setTextFont(*font);
}

// F4: the dialog starts from the window's colour, and Cancel keeps it.
void TextCommands::chooseColour() {
  const QColor current = QColor::fromRgb(window_.model().textColour());
  if (const std::optional<QColor> colour = dialogs_.chooseColour(owner(), current)) {
    window_.model().setTextColour(colour->rgb() & 0xFFFFFFu);
    window_.refresh();
  }
}

}  // namespace veska::window
