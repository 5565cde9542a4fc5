#include "hosts/window/text_commands.h"

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>

#include "hosts/window/dialogs.h"
#include "hosts/window/model/paste_text.h"
#include "hosts/window/model/save_naming.h"
#include "hosts/window/model/text_file.h"
#include "hosts/window/text_printer.h"
#include "hosts/window/text_window.h"

namespace veska::window {
namespace {

// The save question is cut to this many characters.
constexpr qsizetype kQuestionLength = 50;

// Cut by characters, so a title in any script is never cut inside one.
QString cutToCharacters(const QString& text, qsizetype count) {
  const QList<uint> characters = text.toUcs4();
  if (characters.size() <= count) return text;
  return QString::fromUcs4(reinterpret_cast<const char32_t*>(characters.constData()), count);
}

}  // namespace

TextCommands* TextCommands::attach(TextWindow& window, Dialogs& dialogs, std::string& savePath) {
  auto* commands = new TextCommands(window, dialogs, savePath);
  window.setCommands(commands);
  window.setCloseGuard([commands](TextWindow&) { return commands->mayClose(); });
  return commands;
}

TextCommands::TextCommands(TextWindow& window, Dialogs& dialogs, std::string& savePath)
    : QObject(&window), window_(window), dialogs_(dialogs), savePath_(savePath) {}

// The frame, so every dialog is modal to it.
QWidget* TextCommands::owner() const { return window_.window(); }

// The caption of every box these commands show.
QString TextCommands::caption() const { return tr("veska"); }

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

// A save that failed leaves the text marked unsaved, and Save offered, so
// closing still asks before the text is lost.
bool TextCommands::writeTo(const QString& path) {
  const SaveResult result = writeWindowText(path.toStdString(), window_.model());
  if (result != SaveResult::Written) {
    const QString message =
        result == SaveResult::CannotCreate ? tr("Cannot create file") : tr("I/O error while writing file");
    dialogs_.messageBox(owner(), message, caption(), Dialogs::Icon::Warning);
    return false;
  }
  window_.model().markSaved();
  window_.refresh();
  return true;
}

bool TextCommands::saveText() {
  if (!named_) {
    const std::optional<QString> path = askForFile();
    if (!path) return false;
    fileName_ = *path;
    named_ = true;
    window_.setWindowTitle(QString::fromStdString(fileNameOf(path->toStdString())));
  }
  return writeTo(fileName_);
}

// A failed Save As keeps the window's title and file name: the window is not
// named after a file that does not hold its text.
void TextCommands::saveAs() {
  const std::optional<QString> path = askForFile();
  if (!path || !writeTo(*path)) return;
  fileName_ = *path;
  window_.setWindowTitle(QString::fromStdString(fileNameOf(path->toStdString())));
}

bool TextCommands::mayClose() {
  if (!window_.model().modified()) return true;
  const QString question = cutToCharacters(tr("Save changes to %1?").arg(window_.windowTitle()), kQuestionLength);
  switch (dialogs_.question(owner(), question, caption())) {
    case Dialogs::Answer::No: return true;
    case Dialogs::Answer::Cancel: return false;
    case Dialogs::Answer::Yes: break;
  }
  // A file dialog cancelled, or a save that failed, keeps the window and
  // its text, as Cancel does.
  return saveText();
}

void TextCommands::print() { printWindow(owner(), window_, dialogs_); }

bool TextCommands::copyToClipboard() {
  const std::u32string text = window_.model().selectedText();
  if (text.empty()) return false;
  QGuiApplication::clipboard()->setText(QString::fromStdU32String(text));
  return true;
}

// A read-only window's text stays as it is: it only copies.
void TextCommands::cut() {
  if (window_.readOnly()) return;
  if (copyToClipboard()) deleteSelection();
}

void TextCommands::deleteSelection() {
  if (window_.readOnly()) return;
  window_.model().deleteSelection();
  window_.refresh();
}

void TextCommands::paste() {
  if (window_.readOnly()) return;
  const QString text = QGuiApplication::clipboard()->text();
  if (text.isEmpty()) return;
  window_.typeCharacters(pastedCharacters(text.toStdU32String()));
}

void TextCommands::chooseFont() {
  if (const std::optional<QFont> font = dialogs_.chooseFont(owner(), window_.textFont())) window_.setTextFont(*font);
}

// The dialog starts from the window's colour, and Cancel keeps it.
void TextCommands::chooseColour() {
  const QColor current = QColor::fromRgb(window_.model().textColour());
  if (const std::optional<QColor> colour = dialogs_.chooseColour(owner(), current)) {
    window_.model().setTextColour(colour->rgb() & 0xFFFFFFu);
    window_.refresh();
  }
}

}  // namespace veska::window
