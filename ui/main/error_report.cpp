#include "ui/main/error_report.h"

#include <QCoreApplication>

namespace arvelle::ui {

void RunCommand(const std::function<void()>& command) {
  try {
    command();
  } catch (...) {
    auto* report = dynamic_cast<ErrorReport*>(QCoreApplication::instance());
    if (report == nullptr) throw;
    report->ShowException(std::current_exception());
  }
}

}  // namespace arvelle::ui
