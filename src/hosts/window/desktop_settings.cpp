#include "hosts/window/desktop_settings.h"

#include <memory>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QWidget>

namespace veska::window::desktop_settings {
namespace {

const QString kDataFolder = QStringLiteral("files/dataFolder");
const QString kFrameGeometry = QStringLiteral("frame/geometry");

std::unique_ptr<QSettings> openSettings() {
  return std::make_unique<QSettings>(QStringLiteral("veska"), QStringLiteral("veska"));
}

// The settings to read from, or nullptr when the file is unreadable or not
// in a form QSettings understands: then nothing in it is trusted.
std::unique_ptr<QSettings> forReading() {
  auto settings = openSettings();
  if (settings->status() != QSettings::NoError) return nullptr;
  return settings;
}

// The settings to write to. A file QSettings could not read would keep
// refusing every write, so it is removed and written afresh.
std::unique_ptr<QSettings> forWriting() {
  auto settings = openSettings();
  if (settings->status() == QSettings::NoError) return settings;
  const QString file = settings->fileName();
  settings.reset();
  QFile::remove(file);
  return openSettings();
}

}  // namespace

QString dataFolder() {
  const auto settings = forReading();
  if (!settings) return {};
  const QString folder = settings->value(kDataFolder).toString();
  if (folder.isEmpty() || !QFileInfo(folder).isDir()) return {};
  return folder;
}

void rememberDataFile(const QString& path) {
  const QString folder = QFileInfo(path).absolutePath();
  if (folder.isEmpty()) return;
  auto settings = forWriting();
  settings->setValue(kDataFolder, folder);
  settings->sync();
}

bool restoreFrame(QWidget& frame) {
  const auto settings = forReading();
  if (!settings) return false;
  const QVariant saved = settings->value(kFrameGeometry);
  if (saved.typeId() != QMetaType::QByteArray) return false;
  return frame.restoreGeometry(saved.toByteArray());
}

void saveFrame(const QWidget& frame) {
  auto settings = forWriting();
  settings->setValue(kFrameGeometry, frame.saveGeometry());
  settings->sync();
}

}  // namespace veska::window::desktop_settings
