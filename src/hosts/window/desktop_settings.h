// What the windowed host remembers from one run to the next, in QSettings
// under the organisation and application name "veska": the folder of the
// last data file chosen or dropped, and the frame's place on the screen.
//
// A settings file that cannot be read, or holds what these functions did
// not write, never stops a run: every value falls back to its default, and
// the next save writes the file afresh.
#pragma once

#include <QString>

class QWidget;

namespace veska::window {

namespace desktop_settings {

// The folder of the last data file chosen or dropped; empty when none was,
// or when that folder is gone.
QString dataFolder();
void rememberDataFile(const QString& path);

// The frame's geometry and state (maximised or not) as last saved; false
// when nothing usable was saved, and the frame is left as it was.
bool restoreFrame(QWidget& frame);
void saveFrame(const QWidget& frame);

}  // namespace desktop_settings

}  // namespace veska::window
