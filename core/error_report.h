#pragma once
// The text of the top-level error report, shared by the desktop program's error box and
// the command-line companion's stderr line.
#include <exception>
#include <string>

namespace arvelle {

// `message` as the report shows it: a "." is appended when the message is not empty and
// its last character's code is above that of "." (46). Messages ending in a space or in
// one of "!" to "." are left alone. `message` is UTF-8; the last character is a code point.
std::string WithReportPeriod(std::string message);

// The report text for an exception that escaped a command or start-up: the message of
// an `Exception` (the innermost non-empty one when it wraps others with
// std::nested_exception), the empty text for any other thrown object, then the period
// rule above.
std::string ReportText(const std::exception_ptr& error);

}  // namespace arvelle
