#include "ui/splash/splash_window.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

SplashWindow::SplashWindow(const QPixmap& picture)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                           Qt::WindowDoesNotAcceptFocus),
      m_picture(picture) {
  setAttribute(Qt::WA_ShowWithoutActivating);
  // The splash must not keep the program alive once the main window has closed.
  setAttribute(Qt::WA_QuitOnClose, false);
  setFocusPolicy(Qt::NoFocus);
  setFixedSize(sizeFor(m_picture));

  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  move(screen.topLeft() + QPoint((screen.width() - width()) / 2, (screen.height() - height()) / 2));
}

QSize SplashWindow::sizeFor(const QPixmap& picture) {
  if (picture.isNull()) {
    return kSizeWithoutPicture;
  }
  return picture.deviceIndependentSize().toSize() + QSize(2 * kBorderMargin, 2 * kBorderMargin);
}

QPoint SplashWindow::picturePosition(QSize windowSize, QSize pictureSize) {
  const QSize inner = windowSize - QSize(1, 1);
  return {(inner.width() - pictureSize.width()) / 2, (inner.height() - pictureSize.height()) / 2};
}

void SplashWindow::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  if (!m_picture.isNull()) {
    const QSize pictureSize = m_picture.deviceIndependentSize().toSize();
    painter.drawPixmap(picturePosition(size(), pictureSize), m_picture);
  }
}
