#pragma once

// The program's pictures, glyphs and icons live in Qt's resource system under
// ":/pictures/", ":/glyphs/" and ":/icon/" (for example ":/pictures/splash.svg",
// ":/glyphs/house.svg", ":/icon/arvelle_16.svg").
//
// Linking the arvelle_resources target is enough for them to be there when
// main() starts. Calling InitArvelleResources() makes the registration explicit
// and does no harm when it has already happened; call it from the GUI thread
// before the first picture is loaded.
void InitArvelleResources();
