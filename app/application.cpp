#include "app/application.h"

#include <QEvent>
#include <QFileInfo>
#include <QMessageBox>

#include "core/error_report.h"
#include "core/format_settings.h"

namespace arvelle::shell {

QString ApplicationTitle(const QString& executablePath) {
  const QString fileName = QFileInfo(executablePath).fileName();
  const QString stem = fileName.section(QLatin1Char('.'), 0, 0);
  return stem.left(1) + stem.mid(1).toLower();
}

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

QString Application::Title() const { return ApplicationTitle(applicationFilePath()); }

void Application::ShowException(const std::exception_ptr& error) {
  QMessageBox box(QMessageBox::Critical, Title(), QString::fromStdString(ReportText(error)),
                  QMessageBox::Ok, activeWindow());
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

bool Application::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (...) {
    // The commands report their own failures; this catches what any other handler
    // throws. The handler is abandoned; whatever it wrote stays.
    ShowException(std::current_exception());
    return true;
  }
}

bool Application::event(QEvent* event) {
  if (event->type() == QEvent::LocaleChange) LoadFormatSettings();
  return QApplication::event(event);
}

void LoadFormatSettings() { FormatSettings = FormatSettingsFromUserLocale(); }

}  // namespace arvelle::shell
