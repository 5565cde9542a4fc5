// Dialogs answered by the test: message boxes and questions are recorded,
// questions answer from a queue (No when it is empty), file choosers answer
// from queues (an empty queue, or an empty name, answers Cancel), the print
// dialog from a function, number questions from a queue (an empty queue
// answers Cancel), the font and colour dialogs from optional answers, the
// pair chooser and the library dialog from queues (an empty queue answers
// Cancel).
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include <QPrinter>
#include <QString>
#include <QStringList>

#include "hosts/window/dialogs.h"

namespace veska::test {

class FakeDialogs : public window::Dialogs {
 public:
  struct Box {
    QString text;
    QString caption;
    Icon icon;
  };
  struct SaveDialog {
    QString caption;
    QString defaultPath;
  };

  void messageBox(QWidget* owner, const QString& text, const QString& caption, Icon icon) override {
    owners.push_back(owner);
    boxes.push_back({text, caption, icon});
    if (onMessageBox) onMessageBox(boxes.back());
  }
  Answer question(QWidget* owner, const QString& text, const QString& caption) override {
    owners.push_back(owner);
    questions.push_back({text, caption, Icon::Warning});
    if (answers.empty()) return Answer::No;
    const Answer answer = answers.front();
    answers.pop_front();
    return answer;
  }
  std::optional<QString> openFileName(QWidget* owner, const QString& startFolder,
                                      const QStringList& filters) override {
    owners.push_back(owner);
    ++fileDialogs;
    fileDialogStarts.push_back(startFolder);
    fileDialogFilters = filters;
    return next(files);
  }
  std::optional<QString> saveFileName(QWidget* owner, const QString& caption, const QString& defaultPath) override {
    owners.push_back(owner);
    saveDialogs.push_back({caption, defaultPath});
    return next(saveNames);
  }
  // As the real dialog: a name the check refuses is said in a message box
  // and the next name is taken; only a name it lets through can be answered
  // (the replace question is the real dialog's own).
  std::optional<QString> saveFileOfType(QWidget* owner, const QString& caption, const QString& defaultPath,
                                        const QStringList& types, const SaveCheck& check) override {
    owners.push_back(owner);
    saveDialogs.push_back({caption, defaultPath});
    saveTypes = types;
    for (;;) {
      const auto name = next(saveNames);
      const auto refusal = name && check ? check(*name) : std::nullopt;
      if (!refusal) return name;
      messageBox(owner, *refusal, caption, Icon::Warning);
    }
  }
  std::optional<int> askNumber(QWidget* owner, const QString& caption, const QString& label, int value, int,
                               int) override {
    owners.push_back(owner);
    numberQuestions.push_back({label, caption, Icon::Information});
    numbersOffered.push_back(value);
    if (numbers.empty()) return std::nullopt;
    const int number = numbers.front();
    numbers.pop_front();
    return number;
  }
  bool setUpPrinter(QWidget* owner, QPrinter& printer) override {
    owners.push_back(owner);
    ++printDialogs;
    return onPrint && onPrint(printer);
  }
  std::optional<QFont> chooseFont(QWidget* owner, const QFont& current) override {
    owners.push_back(owner);
    fontsShown.push_back(current);
    return fontAnswer;
  }
  std::optional<QColor> chooseColour(QWidget* owner, const QColor& current) override {
    owners.push_back(owner);
    coloursShown.push_back(current);
    return colourAnswer;
  }
  std::optional<std::size_t> choosePair(QWidget* owner, const match::RunRecord&) override {
    owners.push_back(owner);
    ++pairChoosers;
    if (pairChoices.empty()) return std::nullopt;
    const std::size_t pair = pairChoices.front();
    pairChoices.pop_front();
    return pair;
  }
  std::optional<window::LibraryChoice> chooseLibrarySearch(QWidget* owner, const window::LibraryChoice& start) override {
    owners.push_back(owner);
    libraryStarts.push_back(start);
    if (libraryChoices.empty()) return std::nullopt;
    const window::LibraryChoice choice = libraryChoices.front();
    libraryChoices.pop_front();
    return choice;
  }
  void about(QWidget* owner, const std::vector<window::AboutRow>& rows) override {
    owners.push_back(owner);
    aboutBoxes.push_back(rows);
  }

  std::vector<Box> boxes;
  std::function<void(const Box&)> onMessageBox;
  std::vector<Box> questions;
  std::deque<Answer> answers;
  std::deque<QString> files;  // an empty name answers Cancel
  int fileDialogs = 0;
  std::vector<QString> fileDialogStarts;  // the folder each chooser opened in
  QStringList fileDialogFilters;          // the last chooser's
  std::deque<QString> saveNames;  // an empty name answers Cancel
  std::vector<SaveDialog> saveDialogs;  // of both kinds of save dialog
  QStringList saveTypes;                // the last typed save dialog's
  std::deque<int> numbers;  // an empty queue answers Cancel
  std::vector<Box> numberQuestions;  // label and caption of each
  std::vector<int> numbersOffered;
  std::function<bool(QPrinter&)> onPrint;  // none: Cancel
  int printDialogs = 0;
  std::optional<QFont> fontAnswer;
  std::vector<QFont> fontsShown;
  std::optional<QColor> colourAnswer;
  std::vector<QColor> coloursShown;
  std::deque<std::size_t> pairChoices;
  int pairChoosers = 0;
  std::deque<window::LibraryChoice> libraryChoices;  // an empty queue answers Cancel
  std::vector<window::LibraryChoice> libraryStarts;  // what each library dialog was filled with
  std::vector<std::vector<window::AboutRow>> aboutBoxes;
  std::vector<QWidget*> owners;  // of every dialog and box, in order

 private:
  static std::optional<QString> next(std::deque<QString>& queue) {
    if (queue.empty()) return std::nullopt;
    const QString name = queue.front();
    queue.pop_front();
    if (name.isEmpty()) return std::nullopt;
    return name;
  }
};

}  // namespace veska::test
