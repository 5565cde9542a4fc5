#include "console/host/qt_dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

namespace veska::host {
namespace {

QMessageBox::Icon boxIcon(Dialogs::Icon icon) {
  switch (icon) {
    case Dialogs::Icon::Information: return QMessageBox::Information;
    case Dialogs::Icon::Warning: return QMessageBox::Warning;
    case Dialogs::Icon::Error: return QMessageBox::Critical;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

void QtDialogs::messageBox(QWidget* owner, const QString& text, const QString& caption, Icon icon) {
  QMessageBox box(boxIcon(icon), caption, text, QMessageBox::Ok, owner);
  box.exec();
}

std::optional<QString> QtDialogs::openFileName(QWidget* owner) {
  // Modal to the frame (D20), starting where VESKA.OUT will be written.
  const QString path = QFileDialog::getOpenFileName(owner, QStringLiteral("Open"), QDir::currentPath(),
                                                    QStringLiteral("All Files (*)"));
  if (path.isEmpty()) return std::nullopt;
  return path;
}

}  // namespace veska::host
