#include "ui/main/pictures.h"

#include <QFile>
#include <QPainter>
#include <QSvgRenderer>

namespace arvelle::ui {

QPixmap RenderPicture(const QString& resource, QSize size) {
  if (!QFile::exists(resource)) return {};
  QSvgRenderer renderer(resource);
  if (!renderer.isValid()) return {};
  if (size.isEmpty()) size = renderer.defaultSize();
  if (size.isEmpty()) return {};
  QPixmap picture(size);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
  return picture;
}

QIcon ApplicationIcon() {
  QIcon icon;
  for (int pixels : {16, 32, 48}) {
    QPixmap picture =
        RenderPicture(QStringLiteral(":/icon/arvelle_%1.svg").arg(pixels), QSize(pixels, pixels));
    if (!picture.isNull()) icon.addPixmap(picture);
  }
  return icon;
}

}  // namespace arvelle::ui
