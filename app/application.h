#pragma once
// The application object of the desktop program and its top-level error report: every
// failure of a command, and every exception that escapes any other event handler, is
// shown in a modal error box with the application title as caption, and the program
// goes on.
#include <QApplication>
#include <QString>
#include <exception>

#include "ui/main/error_report.h"

namespace arvelle::shell {

// The executable's file name without its folder, cut at its first ".", with every
// character after the first in lower case: "/opt/PlateTool.Setup.exe" gives "Platetool".
QString ApplicationTitle(const QString& executablePath);

class Application final : public QApplication, public ui::ErrorReport {
  Q_OBJECT

 public:
  Application(int& argc, char** argv);

  // The caption of the error box: the title of the running executable.
  QString Title() const;

  // Shows `error` in the modal error box: the report text of the failure, the title as
  // caption, the stop icon and one OK button.
  void ShowException(const std::exception_ptr& error) override;

  bool notify(QObject* receiver, QEvent* event) override;

 protected:
  bool event(QEvent* event) override;
};

// The number format settings of the user's locale, for every number shown and read.
void LoadFormatSettings();

}  // namespace arvelle::shell
