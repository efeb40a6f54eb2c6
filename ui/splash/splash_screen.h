#pragma once

#include <QObject>
#include <QPixmap>
#include <QTimer>
#include <chrono>
#include <functional>
#include <memory>

class QWidget;
class SplashWindow;

// The splash screen that sits on the main window: shown once per start, it fades in while the
// main window is being built, stays for the time-out and then fades out and goes away.
//
// Opacities are on the 0..255 scale of a layered window. The fades run on the UI thread and wait
// between their steps, so no window answers the user meanwhile:
//   fade-in:  5, then +min(5, 255 - opacity) with a 5 ms wait after each step: 10, 15, ..., 255
//   time-out: a one-shot timer on the event loop (also served by the loop of a modal dialog)
//   fade-out: -20 with a 15 ms wait after each step while the result stays above 10:
//             235, 215, ..., 15, then 10 without a wait; then the window is destroyed.
// Nothing closes the splash early: neither showing the main window nor a click on the splash.
class TAdvSmoothSplashScreen final : public QObject {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(TAdvSmoothSplashScreen)

 public:
  static constexpr int kStartOpacity = 5;
  static constexpr int kMaxOpacity = 255;
  static constexpr int kFadeInStep = 5;
  static constexpr int kFadeOutStep = 20;
  static constexpr int kEndOpacity = 10;
  static constexpr std::chrono::milliseconds kFadeInWait{5};
  static constexpr std::chrono::milliseconds kFadeOutWait{15};
  static constexpr std::chrono::milliseconds kDefaultTimeOut{1000};
  static constexpr const char* kDefaultPicture = ":/pictures/splash.svg";

  // Blocks the UI thread for the given time between two fade steps.
  using Wait = std::function<void(std::chrono::milliseconds)>;
  // Gives `window` the opacity `opacity` (0..255).
  using OpacitySetter = std::function<void(QWidget& window, int opacity)>;

  // Loads the default picture; when it is missing the splash is a plain white 550 x 400 window.
  explicit TAdvSmoothSplashScreen(QObject* parent = nullptr);
  // Destroys the splash window if it is still up.
  ~TAdvSmoothSplashScreen() override;

  // Settings, to be made before AutoShow.
  void setPicture(const QPixmap& picture);
  // Default: sleeps, keeping the splash painted and its opacity shown; user input waits.
  void setWait(Wait wait);
  // Default: the window opacity, opacity / 255.
  void setOpacitySetter(OpacitySetter setter);
  // Default: kDefaultTimeOut.
  void setTimeOut(std::chrono::milliseconds timeOut);

  // Called by the main window once its controls exist and before its FormCreate: creates the
  // splash window, shows it and fades it in, then starts the time-out and returns. Runs once per
  // component; later calls do nothing.
  void AutoShow();

  // The splash window while it exists (from AutoShow until the end of the fade-out), else null.
  [[nodiscard]] QWidget* splashWindow() const;
  // The opacity last given to the splash window.
  [[nodiscard]] int opacity() const { return m_opacity; }
  [[nodiscard]] bool isTimeOutRunning() const { return m_timeOutTimer.isActive(); }
  [[nodiscard]] std::chrono::milliseconds timeOut() const { return m_timeOut; }

 signals:
  // The fade-out has ended and the splash window is gone.
  void closed();

 protected:
  // Watches the application while the splash is up: see keepAboveNewWindows.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void hideAfterTimeOut();
  void keepAboveNewWindows();
  void setOpacity(int opacity);
  void paintNow();
  void sleepKeepingPainted(std::chrono::milliseconds duration);

  QPixmap m_picture;
  Wait m_wait;
  OpacitySetter m_setOpacity;
  std::chrono::milliseconds m_timeOut = kDefaultTimeOut;
  QTimer m_timeOutTimer;
  std::unique_ptr<SplashWindow> m_window;
  int m_opacity = 0;
  bool m_shown = false;
};
