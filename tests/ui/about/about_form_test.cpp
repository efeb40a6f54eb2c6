#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <functional>

#include "ui/about/about_form.h"

namespace {

// ShowModal's result when the window did not close by itself and the guard had to close it.
constexpr int kStuckOpen = 42;

// Runs `inside` once the modal loop is running and returns ShowModal's result. A window that
// refuses to close is closed by a guard timer with kStuckOpen, so a fault fails instead of hanging.
int showModalAndRun(TAboutForm& form, const std::function<void()>& inside) {
  QTimer::singleShot(0, &form, inside);
  QTimer guard;
  guard.setSingleShot(true);
  QObject::connect(&guard, &QTimer::timeout, &form, [&form] { form.done(kStuckOpen); });
  guard.start(5000);
  return form.ShowModal();
}

template <typename Widget>
Widget* control(const TAboutForm& form, const char* name) {
  auto* widget = form.findChild<Widget*>(QString::fromLatin1(name));
  if (widget == nullptr) {
    qFatal("the About window has no control %s", name);
  }
  return widget;
}

}  // namespace

class AboutFormTest : public QObject {
  Q_OBJECT

 private slots:
  void windowIsFixedSizeWhiteAndCaptioned();
  void titleBarShowsTheCaptionAlone();
  void picturesAndButtonAtTheirPlaces_data();
  void picturesAndButtonAtTheirPlaces();
  void labelsAtTheirPlacesSizedToTheirText_data();
  void labelsAtTheirPlacesSizedToTheirText();
  void fontsOfWindowAndLabels();
  void picturesAtTheirNaturalSize_data();
  void picturesAtTheirNaturalSize();
  void closeIsTheOnlyControlTakingFocus();
  void opensCentredOnTheWorkAreaEveryTime();
  void parentWindowTakesNoInputWhileOpen();
  void keysThatCloseIt_data();
  void keysThatCloseIt();
  void clickOnCloseHidesItAndItOpensAgain();
};

void AboutFormTest::windowIsFixedSizeWhiteAndCaptioned() {
  TAboutForm form;
  QCOMPARE(form.windowTitle(), QStringLiteral("About"));
  QCOMPARE(form.size(), QSize(448, 335));
  QCOMPARE(form.minimumSize(), QSize(448, 335));
  QCOMPARE(form.maximumSize(), QSize(448, 335));

  // Spots where no control lies, and the ground around a label's text, show the window colour,
  // whatever colours the main window's style gives its own controls.
  QWidget mainWindow;
  mainWindow.setStyleSheet(QStringLiteral("* { background: rgb(212, 208, 200); }"));
  TAboutForm child(&mainWindow);
  for (TAboutForm* window : {&form, &child}) {
    const QImage image = window->grab().toImage();
    for (const QPoint spot :
         {QPoint(440, 5), QPoint(440, 320), QPoint(235, 260), QPoint(230, 5), QPoint(243, 8)}) {
      QCOMPARE(image.pixelColor(spot), QColor(Qt::white));
    }
  }
}

void AboutFormTest::titleBarShowsTheCaptionAlone() {
  TAboutForm form;
  const Qt::WindowFlags flags = form.windowFlags();
  QCOMPARE(flags & Qt::WindowType_Mask, Qt::Dialog);
  QVERIFY(flags.testFlag(Qt::CustomizeWindowHint));
  QVERIFY(flags.testFlag(Qt::WindowTitleHint));
  for (const Qt::WindowType button :
       {Qt::WindowSystemMenuHint, Qt::WindowCloseButtonHint, Qt::WindowMinimizeButtonHint,
        Qt::WindowMaximizeButtonHint, Qt::WindowContextHelpButtonHint}) {
    QVERIFY2(!flags.testFlag(button), qPrintable(QString::number(button, 16)));
  }
}

void AboutFormTest::picturesAndButtonAtTheirPlaces_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QRect>("geometry");
  QTest::newRow("Image1 base plate") << "Image1" << QRect(8, 8, 215, 322);
  QTest::newRow("Image2 logo") << "Image2" << QRect(229, 30, 195, 122);
  QTest::newRow("BitBtn2 Close") << "BitBtn2" << QRect(277, 291, 115, 39);
}

void AboutFormTest::picturesAndButtonAtTheirPlaces() {
  QFETCH(QString, name);
  QFETCH(QRect, geometry);
  TAboutForm form;
  QCOMPARE(control<QWidget>(form, qPrintable(name))->geometry(), geometry);
}

void AboutFormTest::labelsAtTheirPlacesSizedToTheirText_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QPoint>("place");
  QTest::addColumn<QString>("text");
  QTest::newRow("Label4 name") << "Label4" << QPoint(242, 8) << "Arvelle";
  QTest::newRow("Label5 version") << "Label5" << QPoint(357, 8) << "v.2.0";
  QTest::newRow("Label3 contact") << "Label3" << QPoint(229, 180)
                                  << "https://www.arvelle.example.org";
  QTest::newRow("Label2 makers") << "Label2" << QPoint(268, 202) << "The Arvelle developers";
  QTest::newRow("Label1 dates") << "Label1" << QPoint(273, 224)
                                << QString::fromUtf8("© 2024-2026 Arvelle");
}

void AboutFormTest::labelsAtTheirPlacesSizedToTheirText() {
  QFETCH(QString, name);
  QFETCH(QPoint, place);
  QFETCH(QString, text);
  TAboutForm form;
  const auto* label = control<QLabel>(form, qPrintable(name));
  QCOMPARE(label->text(), text);
  QCOMPARE(label->pos(), place);
  QCOMPARE(label->height(), 16);
  // The whole text is visible, inside the window.
  QVERIFY(label->width() >= label->fontMetrics().horizontalAdvance(text));
  QCOMPARE(label->width(), label->sizeHint().width());
  QVERIFY(label->geometry().right() < form.width());
}

void AboutFormTest::fontsOfWindowAndLabels() {
  TAboutForm form;
  form.ensurePolished();
  QCOMPARE(form.font().family(), QStringLiteral("Tahoma"));
  QCOMPARE(form.font().pixelSize(), 11);
  const auto* close = control<QPushButton>(form, "BitBtn2");
  QCOMPARE(close->font().family(), QStringLiteral("Tahoma"));
  QCOMPARE(close->font().pixelSize(), 11);
  for (const char* name : {"Label1", "Label2", "Label3", "Label4", "Label5"}) {
    const QFont font = control<QLabel>(form, name)->font();
    QCOMPARE(font.family(), QStringLiteral("Tahoma"));
    QCOMPARE(font.pixelSize(), 13);
    QVERIFY(!font.bold() && !font.italic());
  }
}

void AboutFormTest::picturesAtTheirNaturalSize_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QString>("resource");
  QTest::addColumn<QSize>("naturalSize");
  QTest::newRow("base plate") << "Image1"
                              << ":/pictures/base_plate.svg" << QSize(215, 322);
  QTest::newRow("logo") << "Image2"
                        << ":/pictures/logo.png" << QSize(195, 122);
}

void AboutFormTest::picturesAtTheirNaturalSize() {
  QFETCH(QString, name);
  QFETCH(QString, resource);
  QFETCH(QSize, naturalSize);
  TAboutForm form;
  const QPixmap picture = control<QLabel>(form, qPrintable(name))->pixmap();
  if (QFile::exists(resource)) {
    QCOMPARE(picture.size(), naturalSize);
    QVERIFY(picture.hasAlphaChannel());
  } else {
    // A missing picture leaves an empty place rather than failing the window.
    QVERIFY(picture.isNull());
  }
}

void AboutFormTest::closeIsTheOnlyControlTakingFocus() {
  TAboutForm form;
  const auto* close = control<QPushButton>(form, "BitBtn2");
  QCOMPARE(close->text(), QStringLiteral("Close"));
  QCOMPARE(close->iconSize(), QSize(24, 24));
  QCOMPARE(close->icon().isNull(), !QFile::exists(QStringLiteral(":/glyphs/exit_cross.svg")));
  QVERIFY(close->focusPolicy() != Qt::NoFocus);
  for (const QWidget* widget : form.findChildren<QWidget*>()) {
    if (widget != close) {
      QVERIFY2(widget->focusPolicy() == Qt::NoFocus, qPrintable(widget->objectName()));
    }
  }
}

void AboutFormTest::opensCentredOnTheWorkAreaEveryTime() {
  TAboutForm form;
  const QRect workArea = form.screen()->availableGeometry();
  for (int opening = 0; opening < 3; ++opening) {
    QRect frameWhileOpen;
    const int result = showModalAndRun(form, [&form, &frameWhileOpen, workArea] {
      frameWhileOpen = form.frameGeometry();
      form.move(workArea.topLeft() + QPoint(5, 7));  // the user drags it away before closing
      form.BitBtn2Click();
    });
    QCOMPARE(result, int(QDialog::Rejected));
    QVERIFY2(std::abs(frameWhileOpen.center().x() - workArea.center().x()) <= 1,
             qPrintable(QString::number(opening)));
    QVERIFY2(std::abs(frameWhileOpen.center().y() - workArea.center().y()) <= 1,
             qPrintable(QString::number(opening)));
  }
}

void AboutFormTest::parentWindowTakesNoInputWhileOpen() {
  QWidget mainWindow;
  mainWindow.resize(400, 200);
  QPushButton button(QStringLiteral("Calculations"), &mainWindow);
  button.setGeometry(10, 10, 150, 40);
  mainWindow.show();
  QVERIFY(QTest::qWaitForWindowExposed(&mainWindow));
  QSignalSpy clicks(&button, &QPushButton::clicked);
  const QPoint onButton = button.geometry().center();

  TAboutForm form(&mainWindow);
  bool modalWhileOpen = false;
  const int result = showModalAndRun(form, [&] {
    modalWhileOpen = QApplication::activeModalWidget() == &form;
    QTest::mouseClick(mainWindow.windowHandle(), Qt::LeftButton, {}, onButton);
    QTest::keyClick(mainWindow.windowHandle(), Qt::Key_Space);
    form.BitBtn2Click();
  });
  QCOMPARE(result, int(QDialog::Rejected));
  QVERIFY(modalWhileOpen);
  QCOMPARE(clicks.count(), 0);

  // Once the window has closed the same click reaches the main window again.
  QTest::mouseClick(mainWindow.windowHandle(), Qt::LeftButton, {}, onButton);
  QCOMPARE(clicks.count(), 1);
}

void AboutFormTest::keysThatCloseIt_data() {
  QTest::addColumn<int>("key");
  QTest::addColumn<bool>("closes");
  QTest::newRow("Return") << int(Qt::Key_Return) << true;
  QTest::newRow("Enter") << int(Qt::Key_Enter) << true;
  QTest::newRow("Space") << int(Qt::Key_Space) << true;
  QTest::newRow("Escape") << int(Qt::Key_Escape) << false;
}

void AboutFormTest::keysThatCloseIt() {
  QFETCH(int, key);
  QFETCH(bool, closes);
  TAboutForm form;
  // Twice: the second opening must behave like the first.
  for (int opening = 0; opening < 2; ++opening) {
    bool closeFocused = false;
    bool openAfterKey = false;
    const int result = showModalAndRun(form, [&] {
      closeFocused = form.focusWidget() == control<QPushButton>(form, "BitBtn2");
      QTest::keyClick(form.windowHandle(), Qt::Key(key));
      openAfterKey = form.isVisible();
      if (openAfterKey) {
        form.BitBtn2Click();
      }
    });
    QCOMPARE(result, int(QDialog::Rejected));
    QVERIFY(closeFocused);
    QCOMPARE(openAfterKey, !closes);
    QVERIFY(!form.isVisible());
  }
}

void AboutFormTest::clickOnCloseHidesItAndItOpensAgain() {
  TAboutForm form;
  QPointer<TAboutForm> alive(&form);
  for (int opening = 0; opening < 2; ++opening) {
    bool shown = false;
    const int result = showModalAndRun(form, [&] {
      shown = form.isVisible();
      auto* close = control<QPushButton>(form, "BitBtn2");
      QTest::mouseClick(close, Qt::LeftButton, {}, close->rect().center());
    });
    QCOMPARE(result, int(QDialog::Rejected));
    QVERIFY(shown);
    QVERIFY(!form.isVisible());
    QVERIFY(alive);
  }
}

QTEST_MAIN(AboutFormTest)
#include "about_form_test.moc"
