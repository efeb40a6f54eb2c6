#pragma once
// Colours and fonts of the hole-position chart, apart from its geometry.
#include <QColor>
#include <QFont>

namespace arvelle::chart_look {

inline const QColor kTitleColor{0x00, 0x00, 0xFF};
inline const QColor kPlotBottomColor{0xEA, 0xEA, 0xEA};
inline const QColor kPlotTopColor{Qt::white};
inline const QColor kLeftAxisColor{Qt::black};
inline const QColor kBottomAxisColor{0x40, 0x40, 0x40};
inline const QColor kLabelColor{Qt::black};
inline const QColor kPointFillColor{0x00, 0x00, 0xFF};
inline const QColor kPointOutlineColor{Qt::black};
inline const QColor kMarkColor{Qt::black};

// The title and the axis labels: "Verdana" 8 point.
QFont TitleFont();
QFont AxisLabelFont();
// The point numbers: "Arial" with a character height of 16 pixels.
QFont MarkFont();

}  // namespace arvelle::chart_look
