#include "ui/main/toolkit_settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QSettings>

namespace arvelle::ui {

void KeepToolkitSettingsOffDisk() {
  // The running executable is a regular file on every system, so a path beneath it can
  // never be made into a folder, not even with the rights of the superuser.
  const QString beneathAFile =
      QCoreApplication::applicationFilePath() + QStringLiteral("/no-settings");
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, beneathAFile);
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, beneathAFile);
}

}  // namespace arvelle::ui
