#pragma once
// How the windows hand a failed command to the application's top-level error report.
//
// A command's exception is caught where the button's signal reaches the command, not
// after it has unwound through the toolkit's event dispatch: Qt's widget code is built
// without exception support, and unwinding through it skips its clean-ups.
#include <exception>
#include <functional>

namespace arvelle::ui {

// Implemented by the application object: shows a failure and lets the program go on.
class ErrorReport {
 public:
  virtual void ShowException(const std::exception_ptr& error) = 0;

 protected:
  ~ErrorReport() = default;
};

// Runs `command`. A failure goes to the application's error report when the application
// object has one; otherwise it propagates to the caller.
void RunCommand(const std::function<void()>& command);

}  // namespace arvelle::ui
