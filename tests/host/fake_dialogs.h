// Dialogs answered by the test: message boxes are recorded, file choosers
// answer from a queue (an empty queue, or an empty name, answers Cancel).
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include <QString>

#include "console/host/dialogs.h"

namespace veska::test {

class FakeDialogs : public host::Dialogs {
 public:
  struct Box {
    QString text;
    QString caption;
    Icon icon;
  };

  void messageBox(QWidget* /*owner*/, const QString& text, const QString& caption, Icon icon) override {
    boxes.push_back({text, caption, icon});
    if (onMessageBox) onMessageBox(boxes.back());
  }
  std::optional<QString> openFileName(QWidget* /*owner*/) override {
    ++fileDialogs;
    if (files.empty()) return std::nullopt;
    const QString file = files.front();
    files.pop_front();
    if (file.isEmpty()) return std::nullopt;
    return file;
  }

  std::vector<Box> boxes;
  std::function<void(const Box&)> onMessageBox;
  std::deque<QString> files;  // an empty name answers Cancel
  int fileDialogs = 0;
};

}  // namespace veska::test
