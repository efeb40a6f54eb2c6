// The desktop program: brings the application up, shows the main window, runs the
// message loop and ends with exit code 0 whatever happened.
#include <cstdio>
#include <cstdlib>
#include <exception>

#include "app/application.h"
#include "ui/main/fonts.h"
#include "ui/main/main_window.h"

namespace {

bool HasDisplay() {
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    const char* value = std::getenv(name);
    if (value != nullptr && *value != '\0') return true;
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  // Without a display Qt would abort with a message about its platform plugin.
  if (!HasDisplay()) {
    std::fprintf(stderr, "Arvelle needs a display; run it under Xvfb: xvfb-run -a %s\n", argv[0]);
    return 0;
  }

  arvelle::shell::Application application(argc, argv);
  try {
    // Every number text depends on the decimal separator, so it is settled first.
    arvelle::shell::LoadFormatSettings();
    arvelle::ui::InstallFonts();

    arvelle::ui::TForm1 Form1;

    // The About window is created here, hidden, right after the main window.

    Form1.show();
    application.exec();
  } catch (...) {
    application.ShowException(std::current_exception());
  }
  return 0;
}
