#pragma once
// The program writes no file but the workbook the user asks for. Qt's own file dialog
// stores its history and last folder through QSettings (organisation "QtProject", the
// native format, the user scope) whenever a dialog object is destroyed; this keeps those
// settings off the disk. The last folder is still remembered while the program runs.

namespace arvelle::ui {

// Points the user-scope settings of the native format at a place below a regular file,
// where no folder and therefore no file can ever be created: Qt then reads nothing and
// its writes fail quietly. Idempotent; call before the first file dialog is created.
void KeepToolkitSettingsOffDisk();

}  // namespace arvelle::ui
