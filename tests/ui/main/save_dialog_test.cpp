// "Save": the save dialog's settings, the path it hands to the export, the last path
// offered again, Cancel doing nothing, and no file written anywhere under the user's
// home folder (Qt's file dialog would keep its history there).
#include <QDirIterator>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "app/application.h"
#include "modal_driver.h"
#include "ui/main/fonts.h"
#include "ui/main/main_window.h"

using arvelle::test::DriveNextDialog;
using arvelle::ui::TForm1;

namespace {

QTemporaryDir* freshHome = nullptr;

QStringList FilesUnder(const QString& folder) {
  QStringList found;
  QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                  QDirIterator::Subdirectories);
  while (it.hasNext()) found << it.next();
  return found;
}

}  // namespace

class SaveDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void dialogSettings() {
    TForm1 form;
    QFileDialog* dialog = form.SaveDialog1();
    QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptSave);
    QCOMPARE(dialog->nameFilters(), QStringList{"Excel file (*.xls)"});
    QCOMPARE(dialog->defaultSuffix(), QString("xls"));
    QVERIFY(dialog->testOption(QFileDialog::DontConfirmOverwrite));
  }

  void chosenPathGoesToTheExportAndIsOfferedAgain() {
    QTemporaryDir target;
    QVERIFY(target.isValid());
    QStringList exported;
    {
      TForm1 form;
      form.show();
      form.SetExportHandler([&exported](const QString& fileName) { exported << fileName; });

      DriveNextDialog<QFileDialog>([&target](QFileDialog* dialog) {
        // As a user does: the folder, a name without its extension, Enter.
        dialog->setDirectory(target.path());
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        QVERIFY(name != nullptr);
        name->setText(QStringLiteral("bolts"));
        QTest::keyClick(name, Qt::Key_Return);
      });
      QTest::mouseClick(form.findChild<QWidget*>("Save_BitBtn"), Qt::LeftButton);
      QCOMPARE(exported, QStringList{target.filePath("bolts.xls")});

      QStringList offered;
      DriveNextDialog<QFileDialog>([&offered](QFileDialog* dialog) {
        offered = dialog->selectedFiles();
        dialog->reject();
      });
      QTest::mouseClick(form.findChild<QWidget*>("Save_BitBtn"), Qt::LeftButton);
      QCOMPARE(offered, QStringList{target.filePath("bolts.xls")});
      // Cancel hands nothing to the export.
      QCOMPARE(exported.size(), 1);
    }
    // The dialog is gone with the window, which is when Qt would store its history.
    QCOMPARE(FilesUnder(freshHome->path()), QStringList());
    QCOMPARE(FilesUnder(target.path()), QStringList());
  }
};

int main(int argc, char** argv) {
  // Every per-user folder Qt could write into lies under this home.
  QTemporaryDir home;
  if (!home.isValid()) return 1;
  freshHome = &home;
  qputenv("HOME", home.path().toLocal8Bit());
  for (const char* name :
       {"XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME", "XDG_STATE_HOME"}) {
    qunsetenv(name);
  }
  arvelle::shell::Application application(argc, argv);
  arvelle::ui::InstallFonts();
  SaveDialogTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "save_dialog_test.moc"
