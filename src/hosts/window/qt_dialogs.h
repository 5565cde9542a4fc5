// The dialogs a person answers: Qt's message boxes, file, print, font and
// colour dialogs, and the About box.
#pragma once

#include "hosts/window/dialogs.h"

namespace veska::window {

class QtDialogs : public Dialogs {
 public:
  void messageBox(QWidget* owner, const QString& text, const QString& caption, Icon icon) override;
  Answer question(QWidget* owner, const QString& text, const QString& caption) override;
  std::optional<QString> openFileName(QWidget* owner, const QString& startFolder,
                                      const QStringList& filters) override;
  std::optional<QString> saveFileName(QWidget* owner, const QString& caption, const QString& defaultPath) override;
  std::optional<QString> saveFileOfType(QWidget* owner, const QString& caption, const QString& defaultPath,
                                        const QStringList& types, const SaveCheck& check) override;
  std::optional<int> askNumber(QWidget* owner, const QString& caption, const QString& label, int value, int minimum,
                               int maximum) override;
  bool setUpPrinter(QWidget* owner, QPrinter& printer) override;
  std::optional<QFont> chooseFont(QWidget* owner, const QFont& current) override;
  std::optional<QColor> chooseColour(QWidget* owner, const QColor& current) override;
  std::optional<std::size_t> choosePair(QWidget* owner, const match::RunRecord& run) override;
  std::optional<LibraryChoice> chooseLibrarySearch(QWidget* owner, const LibraryChoice& start) override;
  void about(QWidget* owner, const std::vector<AboutRow>& rows) override;
};

}  // namespace veska::window
