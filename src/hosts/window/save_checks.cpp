#include "hosts/window/save_checks.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include "runtime/new_file.h"

namespace veska::window {

std::string fileNameBytes(const QString& path) { return QFile::encodeName(path).toStdString(); }

std::optional<QString> unwritableFile(const QString& path) {
  const std::string problem = runtime::outputPathProblem(fileNameBytes(path));
  if (problem.empty()) return std::nullopt;
  return QCoreApplication::translate("Save", "%1 cannot be written: %2.")
      .arg(QFileInfo(path).fileName(), QString::fromStdString(problem));
}

}  // namespace veska::window
