#pragma once
// The window's drawings and glyphs, rendered from the SVG resources at the pixel size
// they are shown at. A resource that is not there gives an empty picture, so a window
// still opens without its pictures.
#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>

namespace arvelle::ui {

// `resource` drawn at `size`, stretched to it; at the drawing's own size when `size` is
// empty. Transparent where the drawing paints nothing.
QPixmap RenderPicture(const QString& resource, QSize size = {});

// The application icon in the sizes the title bar and the taskbar use.
QIcon ApplicationIcon();

}  // namespace arvelle::ui
