#pragma once
// The fonts the windows are laid out with. The layout is measured in pixels for
// "Tahoma" at 8 point and 96 dpi, so every font is set by pixel size and a missing face
// is replaced by one with close metrics, which keeps the texts inside their boxes.
#include <QFont>

namespace arvelle::ui {

// The window font: "Tahoma", 11 pixels high (8 point at 96 dpi).
inline constexpr int kWindowFontPixels = 11;

// Loads Tahoma from the Wine fonts when they are installed and not known to the system,
// names stand-ins for Tahoma, Arial and Verdana where those are missing, and measures how
// much the face found must be narrowed to fit the layout. Call once,
// after the application object exists and before the first window.
void InstallFonts();

// "Tahoma" (or its stand-in) at `pixelSize` pixels, narrowed where the face installed
// draws wider than the one the layout was measured with.
QFont TahomaFont(int pixelSize = kWindowFontPixels);

}  // namespace arvelle::ui
