#include "hosts/window/qt_dialogs.h"

#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QRegularExpression>

#include "hosts/window/about_box.h"
#include "hosts/window/library_choice_dialog.h"
#include "hosts/window/pair_chooser.h"

namespace veska::window {
namespace {

QMessageBox::Icon boxIcon(Dialogs::Icon icon) {
  switch (icon) {
    case Dialogs::Icon::Information: return QMessageBox::Information;
    case Dialogs::Icon::Warning: return QMessageBox::Warning;
    case Dialogs::Icon::Error: return QMessageBox::Critical;
  }
  return QMessageBox::NoIcon;
}

// The extension a file type offers: "png" for "PNG image (*.png)".
QString extensionOf(const QString& type) {
  const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("\\*\\.(\\w+)")).match(type);
  return m.hasMatch() ? m.captured(1) : QString();
}

// The highest page the print dialog lets the user name.
constexpr int kLastPage = 32767;

}  // namespace

void QtDialogs::messageBox(QWidget* owner, const QString& text, const QString& caption, Icon icon) {
  QMessageBox box(boxIcon(icon), caption, text, QMessageBox::Ok, owner);
  box.exec();
}

Dialogs::Answer QtDialogs::question(QWidget* owner, const QString& text, const QString& caption) {
  QMessageBox box(QMessageBox::Warning, caption, text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                  owner);
  switch (box.exec()) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    default: return Answer::Cancel;  // Cancel, Escape or the close box
  }
}

std::optional<QString> QtDialogs::openFileName(QWidget* owner, const QString& startFolder,
                                               const QStringList& filters) {
  // Modal to the frame.
  const QString path = QFileDialog::getOpenFileName(owner, QObject::tr("Open"), startFolder, filters.join(";;"));
  if (path.isEmpty()) return std::nullopt;
  return path;
}

std::optional<QString> QtDialogs::saveFileName(QWidget* owner, const QString& caption, const QString& defaultPath) {
  QFileDialog dialog(owner, caption, defaultPath,
                     QObject::tr("Text Files (*.txt);;All Files (*.*)"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setDefaultSuffix(QStringLiteral("txt"));
  dialog.selectFile(defaultPath);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().first();
}

std::optional<QString> QtDialogs::saveFileOfType(QWidget* owner, const QString& caption, const QString& defaultPath,
                                                 const QStringList& types, const SaveCheck& check) {
  QFileDialog dialog(owner, caption, defaultPath, types.join(QStringLiteral(";;")));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  // The replace question is asked here, once the name has been checked: a
  // name veska will refuse must not first be offered for replacing.
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  dialog.setDefaultSuffix(extensionOf(types.value(0)));
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                   [&dialog](const QString& type) { dialog.setDefaultSuffix(extensionOf(type)); });
  dialog.selectFile(defaultPath);
  for (;;) {
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    const QString path = dialog.selectedFiles().first();
    if (const auto refusal = check ? check(path) : std::nullopt) {
      messageBox(owner, *refusal, caption, Icon::Warning);
    } else if (!QFileInfo::exists(path) ||
               QMessageBox::question(owner, caption,
                                     QObject::tr("%1 already exists.\nDo you want to replace it?")
                                         .arg(QFileInfo(path).fileName()),
                                     QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes) {
      return path;
    }
    dialog.selectFile(path);
  }
}

std::optional<int> QtDialogs::askNumber(QWidget* owner, const QString& caption, const QString& label, int value,
                                        int minimum, int maximum) {
  QInputDialog dialog(owner);
  dialog.setWindowTitle(caption);
  dialog.setLabelText(label);
  dialog.setInputMode(QInputDialog::IntInput);
  dialog.setIntRange(minimum, maximum);
  dialog.setIntValue(value);
  // Wide enough for its caption, which a narrow box would cut short.
  dialog.setMinimumWidth(dialog.fontMetrics().horizontalAdvance(caption) + 160);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.intValue();
}

bool QtDialogs::setUpPrinter(QWidget* owner, QPrinter& printer) {
  printer.setFromTo(1, 1);
  printer.setCopyCount(1);
  QPrintDialog dialog(&printer, owner);
  dialog.setMinMax(1, kLastPage);
  dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
  dialog.setOption(QAbstractPrintDialog::PrintCollateCopies, true);
  return dialog.exec() == QDialog::Accepted;
}

std::optional<QFont> QtDialogs::chooseFont(QWidget* owner, const QFont& current) {
  bool chosen = false;
  const QFont font = QFontDialog::getFont(&chosen, current, owner, QObject::tr("Font"),
                                          QFontDialog::MonospacedFonts);
  if (!chosen) return std::nullopt;
  return font;
}

std::optional<QColor> QtDialogs::chooseColour(QWidget* owner, const QColor& current) {
  const QColor colour = QColorDialog::getColor(current, owner, QObject::tr("Color"));
  if (!colour.isValid()) return std::nullopt;
  return colour;
}

std::optional<std::size_t> QtDialogs::choosePair(QWidget* owner, const match::RunRecord& run) {
  PairChooser chooser(run, owner);
  if (chooser.exec() != QDialog::Accepted) return std::nullopt;
  return chooser.chosenPair();
}

std::optional<LibraryChoice> QtDialogs::chooseLibrarySearch(QWidget* owner, const LibraryChoice& start) {
  LibraryChoiceDialog dialog(start, owner);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.choice();
}

void QtDialogs::about(QWidget* owner, const std::vector<AboutRow>& rows) {
  AboutBox box(rows, owner);
  box.exec();
}

}  // namespace veska::window
