#pragma once

#include <QPixmap>
#include <QSize>
#include <QWidget>

// The splash screen's window: borderless, above every other window, never activated, without a
// taskbar button and owned by no other window. It shows a picture at its own size on white.
class SplashWindow final : public QWidget {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(SplashWindow)

 public:
  // Without a picture the window keeps this plain white size.
  static constexpr QSize kSizeWithoutPicture{550, 400};
  // The fill's border (5 pixels wide, never drawn) only widens the window: half of it, rounded
  // up, on each side.
  static constexpr int kBorderMargin = 3;

  // Sized after `picture` (a null picture gives the plain white window) and centred on the
  // primary screen; created hidden.
  explicit SplashWindow(const QPixmap& picture);

  // The window size for `picture`: its size plus the border margin on each side.
  static QSize sizeFor(const QPixmap& picture);
  // Where `picture` goes in a window of `windowSize`: centred in the rectangle one pixel smaller
  // than the window, which puts a picture of the standard size at (2, 2).
  static QPoint picturePosition(QSize windowSize, QSize pictureSize);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QPixmap m_picture;
};
