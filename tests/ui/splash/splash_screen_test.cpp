#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <chrono>
#include <vector>

#include "ui/splash/splash_screen.h"
#include "ui/splash/splash_window.h"

using namespace std::chrono_literals;

namespace {

// One thing the splash did: gave its window an opacity, or waited.
struct Step {
  enum Kind { Opacity, Wait } kind;
  int value;  // the opacity, or the wait in milliseconds
  friend bool operator==(const Step&, const Step&) = default;
};

char* toString(const std::vector<Step>& steps) {
  QByteArray text;
  for (const Step& step : steps) {
    text += step.kind == Step::Opacity ? "o" : "w";
    text += QByteArray::number(step.value) + ' ';
  }
  return qstrdup(text.constData());
}

std::vector<Step> fadeInSteps() {
  // Opacity 5 on showing, then 50 steps of 5 up to 255, each followed by a 5 ms wait.
  std::vector<Step> steps{{Step::Opacity, 5}};
  for (int opacity = 10; opacity <= 255; opacity += 5) {
    steps.push_back({Step::Opacity, opacity});
    steps.push_back({Step::Wait, 5});
  }
  return steps;
}

const std::vector<Step> kFadeOutSteps{
    {Step::Opacity, 235}, {Step::Wait, 15}, {Step::Opacity, 215}, {Step::Wait, 15},
    {Step::Opacity, 195}, {Step::Wait, 15}, {Step::Opacity, 175}, {Step::Wait, 15},
    {Step::Opacity, 155}, {Step::Wait, 15}, {Step::Opacity, 135}, {Step::Wait, 15},
    {Step::Opacity, 115}, {Step::Wait, 15}, {Step::Opacity, 95},  {Step::Wait, 15},
    {Step::Opacity, 75},  {Step::Wait, 15}, {Step::Opacity, 55},  {Step::Wait, 15},
    {Step::Opacity, 35},  {Step::Wait, 15}, {Step::Opacity, 15},  {Step::Wait, 15},
    {Step::Opacity, 10}};

// The offscreen platform has no compositor and says so at every opacity change; the steps run all
// the same. Silences exactly that note while a test drives the real window opacity.
class OffscreenOpacityNoteSilencer {
 public:
  OffscreenOpacityNoteSilencer() : m_previous(qInstallMessageHandler(&filter)) {
    s_previous = m_previous;
  }
  ~OffscreenOpacityNoteSilencer() { qInstallMessageHandler(m_previous); }
  OffscreenOpacityNoteSilencer(const OffscreenOpacityNoteSilencer&) = delete;
  OffscreenOpacityNoteSilencer& operator=(const OffscreenOpacityNoteSilencer&) = delete;

 private:
  static void filter(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtWarningMsg &&
        message == QLatin1String("This plugin does not support setting window opacity")) {
      return;
    }
    s_previous(type, context, message);
  }
  static inline QtMessageHandler s_previous = nullptr;
  QtMessageHandler m_previous;
};

QPixmap filledPicture(QSize size, QColor colour) {
  QPixmap picture(size);
  picture.fill(colour);
  return picture;
}

// A splash that records its opacities and waits instead of sleeping.
struct RecordedSplash {
  TAdvSmoothSplashScreen splash;
  std::vector<Step> steps;
  std::vector<bool> visibleAtOpacity;

  explicit RecordedSplash(const QPixmap& picture = filledPicture({439, 336}, Qt::darkCyan)) {
    splash.setPicture(picture);
    splash.setOpacitySetter([this](QWidget& window, int opacity) {
      steps.push_back({Step::Opacity, opacity});
      visibleAtOpacity.push_back(window.isVisible());
    });
    splash.setWait([this](std::chrono::milliseconds wait) {
      steps.push_back({Step::Wait, static_cast<int>(wait.count())});
    });
  }
};

// Stands for the main window: the splash is told to show itself once the controls exist, and
// FormCreate runs after that.
class MainWindowBeingBuilt : public QWidget {
 public:
  explicit MainWindowBeingBuilt(RecordedSplash& recorded) {
    recorded.splash.AutoShow();
    FormCreate(recorded.splash);
  }
  bool splashUpAtFormCreate = false;
  int opacityAtFormCreate = -1;
  bool timeOutRunningAtFormCreate = false;

 private:
  void FormCreate(const TAdvSmoothSplashScreen& splash) {
    splashUpAtFormCreate = splash.splashWindow() != nullptr && splash.splashWindow()->isVisible();
    opacityAtFormCreate = splash.opacity();
    timeOutRunningAtFormCreate = splash.isTimeOutRunning();
  }
};

}  // namespace

class SplashScreenTest : public QObject {
  Q_OBJECT

 private slots:
  void fadesInBeforeTheMainWindowsFormCreate();
  void timeOutStartsOnlyAfterTheFadeIn();
  void fadesOutWhenTheTimeOutExpiresThenGoes();
  void windowOpacityFollowsTheFades();
  void defaultTimeOutIsOneSecond();
  void showsOnlyOnce();
  void windowSizeFollowsThePicture_data();
  void windowSizeFollowsThePicture();
  void defaultPictureIsTheSplashResource();
  void pictureDrawnAtItsOwnSizeOnWhite();
  void windowIsBorderlessTopmostAndNeverActivated();
  void showingAnotherWindowDoesNotCloseIt();
  void clickOnItDoesNothing();
  void timeOutIsServedByAModalDialogsLoop();
  void doesNotKeepTheProgramAliveAfterTheMainWindowCloses();
  void windowGoesWithTheComponent();
};

void SplashScreenTest::fadesInBeforeTheMainWindowsFormCreate() {
  RecordedSplash recorded;
  MainWindowBeingBuilt mainWindow(recorded);
  QCOMPARE(recorded.steps, fadeInSteps());
  QVERIFY(mainWindow.splashUpAtFormCreate);
  QCOMPARE(mainWindow.opacityAtFormCreate, 255);
  QVERIFY(mainWindow.timeOutRunningAtFormCreate);
  QVERIFY(!mainWindow.isVisible());
  // Created hidden at opacity 5, then shown before the first step.
  QVERIFY(!recorded.visibleAtOpacity.front());
  QVERIFY(recorded.visibleAtOpacity.at(1));
}

void SplashScreenTest::timeOutStartsOnlyAfterTheFadeIn() {
  RecordedSplash recorded;
  int waitsWithTimerRunning = 0;
  recorded.splash.setWait([&](std::chrono::milliseconds) {
    waitsWithTimerRunning += recorded.splash.isTimeOutRunning() ? 1 : 0;
  });
  recorded.splash.AutoShow();
  QCOMPARE(waitsWithTimerRunning, 0);
  QVERIFY(recorded.splash.isTimeOutRunning());
}

void SplashScreenTest::fadesOutWhenTheTimeOutExpiresThenGoes() {
  RecordedSplash recorded;
  recorded.splash.setTimeOut(1ms);
  QSignalSpy closed(&recorded.splash, &TAdvSmoothSplashScreen::closed);
  recorded.splash.AutoShow();
  QPointer<QWidget> window = recorded.splash.splashWindow();
  QVERIFY(window);
  recorded.steps.clear();

  QVERIFY(closed.wait(5000));
  QCOMPARE(recorded.steps, kFadeOutSteps);
  QCOMPARE(closed.count(), 1);
  QVERIFY(recorded.splash.splashWindow() == nullptr);
  QVERIFY(window.isNull());
  QVERIFY(!recorded.splash.isTimeOutRunning());
}

void SplashScreenTest::windowOpacityFollowsTheFades() {
  const OffscreenOpacityNoteSilencer silencer;
  TAdvSmoothSplashScreen splash;
  splash.setTimeOut(1ms);
  std::vector<int> seenByTheWindow;
  splash.setWait([&](std::chrono::milliseconds) {
    seenByTheWindow.push_back(qRound(splash.splashWindow()->windowOpacity() * 255));
  });
  splash.AutoShow();
  QCOMPARE(splash.splashWindow()->windowOpacity(), 1.0);
  QSignalSpy closed(&splash, &TAdvSmoothSplashScreen::closed);
  QVERIFY(closed.wait(5000));

  std::vector<int> expected;
  for (const Step& step : fadeInSteps()) {
    if (step.kind == Step::Opacity && step.value != 5) {
      expected.push_back(step.value);
    }
  }
  for (const Step& step : kFadeOutSteps) {
    if (step.kind == Step::Opacity && step.value != 10) {
      expected.push_back(step.value);
    }
  }
  QCOMPARE(seenByTheWindow, expected);
}

void SplashScreenTest::defaultTimeOutIsOneSecond() {
  const TAdvSmoothSplashScreen splash;
  QCOMPARE(splash.timeOut(), 1000ms);
  QCOMPARE(splash.splashWindow(), nullptr);
  QVERIFY(!splash.isTimeOutRunning());
}

void SplashScreenTest::showsOnlyOnce() {
  RecordedSplash recorded;
  recorded.splash.AutoShow();
  QWidget* const window = recorded.splash.splashWindow();
  const std::size_t stepsOfFirstShow = recorded.steps.size();
  recorded.splash.AutoShow();
  QCOMPARE(recorded.steps.size(), stepsOfFirstShow);
  QCOMPARE(recorded.splash.splashWindow(), window);
}

void SplashScreenTest::windowSizeFollowsThePicture_data() {
  QTest::addColumn<QSize>("pictureSize");
  QTest::addColumn<QSize>("windowSize");
  QTest::newRow("no picture: plain white") << QSize() << QSize(550, 400);
  QTest::newRow("the splash picture") << QSize(439, 336) << QSize(445, 342);
  QTest::newRow("another picture") << QSize(100, 50) << QSize(106, 56);
  QTest::newRow("larger than the default") << QSize(600, 450) << QSize(606, 456);
}

void SplashScreenTest::windowSizeFollowsThePicture() {
  QFETCH(QSize, pictureSize);
  QFETCH(QSize, windowSize);
  RecordedSplash recorded(pictureSize.isValid() ? filledPicture(pictureSize, Qt::red) : QPixmap());
  recorded.splash.AutoShow();
  const QWidget* window = recorded.splash.splashWindow();
  QCOMPARE(window->size(), windowSize);
  QCOMPARE(window->minimumSize(), windowSize);
  QCOMPARE(window->maximumSize(), windowSize);
  // Centred on the screen, leftovers of an odd difference going right and down.
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  QCOMPARE(window->frameGeometry().left() - screen.left(),
           (screen.width() - windowSize.width()) / 2);
  QCOMPARE(window->frameGeometry().top() - screen.top(),
           (screen.height() - windowSize.height()) / 2);
}

void SplashScreenTest::defaultPictureIsTheSplashResource() {
  const OffscreenOpacityNoteSilencer silencer;
  TAdvSmoothSplashScreen splash;
  splash.setWait([](std::chrono::milliseconds) {});
  splash.AutoShow();
  const QSize expected = QFile::exists(QString::fromLatin1(TAdvSmoothSplashScreen::kDefaultPicture))
                             ? QSize(445, 342)
                             : QSize(550, 400);
  QCOMPARE(splash.splashWindow()->size(), expected);
}

void SplashScreenTest::pictureDrawnAtItsOwnSizeOnWhite() {
  const QColor ink(30, 90, 160);
  for (const QSize pictureSize : {QSize(439, 336), QSize(100, 51)}) {
    RecordedSplash recorded(filledPicture(pictureSize, ink));
    recorded.splash.AutoShow();
    const QImage image = recorded.splash.splashWindow()->grab().toImage();
    const QRect picture(QPoint(2, 2), pictureSize);
    for (const QPoint inside : {picture.topLeft(), picture.bottomRight(), picture.center()}) {
      QCOMPARE(image.pixelColor(inside), ink);
    }
    for (const QPoint outside :
         {QPoint(0, 0), QPoint(1, 1), picture.topLeft() - QPoint(1, 0),
          picture.topLeft() - QPoint(0, 1), picture.bottomRight() + QPoint(1, 0),
          picture.bottomRight() + QPoint(0, 1), QPoint(image.width() - 1, image.height() - 1)}) {
      QCOMPARE(image.pixelColor(outside), QColor(Qt::white));
    }
  }

  RecordedSplash plain{QPixmap()};
  plain.splash.AutoShow();
  const QImage image = plain.splash.splashWindow()->grab().toImage();
  for (const QPoint spot : {QPoint(0, 0), QPoint(2, 2), QPoint(275, 200), QPoint(549, 399)}) {
    QCOMPARE(image.pixelColor(spot), QColor(Qt::white));
  }
}

void SplashScreenTest::windowIsBorderlessTopmostAndNeverActivated() {
  RecordedSplash recorded;
  recorded.splash.AutoShow();
  const QWidget* window = recorded.splash.splashWindow();
  const Qt::WindowFlags flags = window->windowFlags();
  // A splash-screen window gets no taskbar button.
  QCOMPARE(flags & Qt::WindowType_Mask, Qt::SplashScreen);
  QVERIFY(flags.testFlag(Qt::FramelessWindowHint));
  QVERIFY(flags.testFlag(Qt::WindowStaysOnTopHint));
  QVERIFY(flags.testFlag(Qt::WindowDoesNotAcceptFocus));
  QVERIFY(window->testAttribute(Qt::WA_ShowWithoutActivating));
  QCOMPARE(window->focusPolicy(), Qt::NoFocus);
  QVERIFY(window->isWindow());
  QCOMPARE(window->parentWidget(), nullptr);
  QCOMPARE(window->frameGeometry(), window->geometry());
}

void SplashScreenTest::showingAnotherWindowDoesNotCloseIt() {
  RecordedSplash recorded;
  recorded.splash.AutoShow();
  QWidget mainWindow;
  mainWindow.resize(300, 200);
  mainWindow.show();
  QVERIFY(QTest::qWaitForWindowExposed(&mainWindow));
  QApplication::processEvents();
  QVERIFY(recorded.splash.splashWindow() != nullptr);
  QVERIFY(recorded.splash.splashWindow()->isVisible());
  QVERIFY(recorded.splash.isTimeOutRunning());
}

void SplashScreenTest::clickOnItDoesNothing() {
  RecordedSplash recorded;
  recorded.splash.AutoShow();
  QWidget* window = recorded.splash.splashWindow();
  QWidget mainWindow;  // the user works in the main window while the splash is up
  mainWindow.resize(300, 200);
  mainWindow.show();
  mainWindow.activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&mainWindow));
  const std::size_t stepsBefore = recorded.steps.size();

  QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, window->rect().center());
  QTest::mouseDClick(window->windowHandle(), Qt::LeftButton, {}, window->rect().center());
  QApplication::processEvents();
  QCOMPARE(recorded.splash.splashWindow(), window);
  QVERIFY(window->isVisible());
  QCOMPARE(recorded.steps.size(), stepsBefore);
  QCOMPARE(QGuiApplication::focusWindow(), mainWindow.windowHandle());
}

void SplashScreenTest::timeOutIsServedByAModalDialogsLoop() {
  constexpr int kTimeOutNeverServed = 42;
  RecordedSplash recorded;
  recorded.splash.setTimeOut(20ms);
  recorded.splash.AutoShow();
  recorded.steps.clear();

  QDialog question;  // stands for the "Exit?" question or the About window
  QObject::connect(&recorded.splash, &TAdvSmoothSplashScreen::closed, &question, &QDialog::accept);
  QTimer::singleShot(5000, &question, [&question] { question.done(kTimeOutNeverServed); });
  QCOMPARE(question.exec(), int(QDialog::Accepted));
  QCOMPARE(recorded.steps, kFadeOutSteps);
  QCOMPARE(recorded.splash.splashWindow(), nullptr);
}

void SplashScreenTest::doesNotKeepTheProgramAliveAfterTheMainWindowCloses() {
  constexpr int kStillRunning = 42;
  RecordedSplash recorded;
  recorded.splash.AutoShow();
  QWidget mainWindow;
  mainWindow.show();
  QVERIFY(QTest::qWaitForWindowExposed(&mainWindow));
  QVERIFY(QApplication::quitOnLastWindowClosed());

  QTimer::singleShot(0, &mainWindow, [&mainWindow] { mainWindow.close(); });
  QTimer::singleShot(5000, qApp, [] { QApplication::exit(kStillRunning); });
  QCOMPARE(QApplication::exec(), 0);
}

void SplashScreenTest::windowGoesWithTheComponent() {
  auto recorded = std::make_unique<RecordedSplash>();
  recorded->splash.AutoShow();
  const QPointer<QWidget> window = recorded->splash.splashWindow();
  QVERIFY(window);
  recorded.reset();
  QVERIFY(window.isNull());
}

QTEST_MAIN(SplashScreenTest)
#include "splash_screen_test.moc"
