#include "core/errors.h"

namespace arvelle {

EConvertError EConvertError::InvalidFloat(std::string_view text) {
  std::string message;
  message.reserve(text.size() + 40);
  message += '\'';
  message += text;
  message += "' is not a valid floating point value";
  return EConvertError(std::move(message));
}

}  // namespace arvelle
