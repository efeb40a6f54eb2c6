#include "core/error_report.h"

#include "core/errors.h"

namespace arvelle {
namespace {

// The code point of the last UTF-8 character of `text` (not empty). A broken sequence
// counts by its last byte, which is above "." anyway.
char32_t LastCodePoint(const std::string& text) {
  std::size_t start = text.size() - 1;
  while (start > 0 && (static_cast<unsigned char>(text[start]) & 0xC0) == 0x80) --start;
  const auto lead = static_cast<unsigned char>(text[start]);
  if (lead < 0x80) return lead;
  return 0x80 + lead;  // any non-ASCII character lies above "."
}

// The message of the innermost exception (through std::nested_exception) whose message
// is not empty, or `outer` when none of the inner ones has one.
std::string InnermostMessage(const Exception& error) {
  std::string message = error.Message();
  const auto* nested = dynamic_cast<const std::nested_exception*>(&error);
  if (nested == nullptr || nested->nested_ptr() == nullptr) return message;
  try {
    nested->rethrow_nested();
  } catch (const Exception& inner) {
    std::string innerMessage = InnermostMessage(inner);
    if (!innerMessage.empty()) return innerMessage;
  } catch (...) {
    // An inner object that carries no message leaves the outer message in force.
  }
  return message;
}

}  // namespace

std::string WithReportPeriod(std::string message) {
  if (!message.empty() && LastCodePoint(message) > U'.') message += '.';
  return message;
}

std::string ReportText(const std::exception_ptr& error) {
  if (!error) return {};
  try {
    std::rethrow_exception(error);
  } catch (const Exception& e) {
    return WithReportPeriod(InnermostMessage(e));
  } catch (...) {
    // Anything that is not one of our exceptions is reported with the empty message.
    return {};
  }
}

}  // namespace arvelle
