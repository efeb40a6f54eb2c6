#include "ui/splash/splash_screen.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QThread>
#include <algorithm>

#include "ui/splash/splash_window.h"

TAdvSmoothSplashScreen::TAdvSmoothSplashScreen(QObject* parent)
    : QObject(parent),
      m_picture(QString::fromLatin1(kDefaultPicture)),
      m_wait([this](std::chrono::milliseconds duration) { sleepKeepingPainted(duration); }),
      m_setOpacity([](QWidget& window, int opacity) {
        window.setWindowOpacity(opacity / static_cast<double>(kMaxOpacity));
      }) {
  m_timeOutTimer.setSingleShot(true);
  // A coarse timer may fire up to 5 % early; the splash stays its full second.
  m_timeOutTimer.setTimerType(Qt::PreciseTimer);
  connect(&m_timeOutTimer, &QTimer::timeout, this, &TAdvSmoothSplashScreen::hideAfterTimeOut);
}

TAdvSmoothSplashScreen::~TAdvSmoothSplashScreen() = default;

void TAdvSmoothSplashScreen::setPicture(const QPixmap& picture) { m_picture = picture; }

void TAdvSmoothSplashScreen::setWait(Wait wait) { m_wait = std::move(wait); }

void TAdvSmoothSplashScreen::setOpacitySetter(OpacitySetter setter) {
  m_setOpacity = std::move(setter);
}

void TAdvSmoothSplashScreen::setTimeOut(std::chrono::milliseconds timeOut) { m_timeOut = timeOut; }

QWidget* TAdvSmoothSplashScreen::splashWindow() const { return m_window.get(); }

void TAdvSmoothSplashScreen::AutoShow() {
  if (m_shown) {
    return;
  }
  m_shown = true;

  m_window = std::make_unique<SplashWindow>(m_picture);
  setOpacity(kStartOpacity);
  m_window->show();
  paintNow();
  keepAboveNewWindows();

  while (m_opacity < kMaxOpacity) {
    setOpacity(m_opacity + std::min(kFadeInStep, kMaxOpacity - m_opacity));
    m_wait(kFadeInWait);
  }
  m_timeOutTimer.start(m_timeOut);
}

void TAdvSmoothSplashScreen::hideAfterTimeOut() {
  m_timeOutTimer.stop();
  while (m_opacity > kEndOpacity) {
    if (m_opacity - kFadeOutStep <= kEndOpacity) {
      setOpacity(kEndOpacity);
      break;
    }
    setOpacity(m_opacity - kFadeOutStep);
    m_wait(kFadeOutWait);
  }
  qApp->removeEventFilter(this);
  m_window.reset();
  emit closed();
}

void TAdvSmoothSplashScreen::keepAboveNewWindows() {
  // The stay-on-top hint is the window manager's to honour; where there is none (or it ignores
  // the hint) a window shown later, such as the main window, would cover the splash. Raising the
  // splash again once such a window is up keeps it in front without activating it.
  qApp->installEventFilter(this);
}

bool TAdvSmoothSplashScreen::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Show && m_window && watched != m_window.get() &&
      watched->isWidgetType() && static_cast<QWidget*>(watched)->isWindow()) {
    // The other window is mapped after its show event; raise the splash after that.
    QTimer::singleShot(0, this, [this] {
      if (m_window) {
        m_window->raise();
      }
    });
  }
  return QObject::eventFilter(watched, event);
}

void TAdvSmoothSplashScreen::setOpacity(int opacity) {
  m_opacity = opacity;
  m_setOpacity(*m_window, opacity);
}

void TAdvSmoothSplashScreen::paintNow() {
  // The fades hold the UI thread, so the event loop cannot paint the splash. Handing on the
  // pending window-system events delivers the window's first exposure (and with it the paint)
  // and sends each new opacity to the display. User input stays queued until the fade is over,
  // so no window answers meanwhile; timers and posted events are served as in any loop.
  m_window->repaint();
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TAdvSmoothSplashScreen::sleepKeepingPainted(std::chrono::milliseconds duration) {
  // Painting counts towards the wait, so the fades keep their nominal length.
  QElapsedTimer clock;
  clock.start();
  if (m_window) {
    paintNow();
  }
  const auto rest = duration - std::chrono::milliseconds(clock.elapsed());
  if (rest > std::chrono::milliseconds::zero()) {
    QThread::msleep(static_cast<unsigned long>(rest.count()));
  }
}
