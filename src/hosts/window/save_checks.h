// What a save dialog checks in a chosen name before it asks whether to
// replace a file: a name veska will not write is refused at once.
#pragma once

#include <optional>
#include <string>

#include <QString>

namespace veska::window {

// The name's bytes, as the system takes them.
std::string fileNameBytes(const QString& path);

// Why veska cannot write a file of that name (a link or not a plain file,
// a read-only file, a folder that cannot take it), as a sentence; nothing
// when it can.
std::optional<QString> unwritableFile(const QString& path);

}  // namespace veska::window
