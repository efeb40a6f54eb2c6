#pragma once
// The failure kinds of the calculation. Every failure is an exception that carries
// the message shown to the user; nothing in the core catches them.
#include <exception>
#include <string>
#include <string_view>

namespace arvelle {

// Base of every failure that carries a message for the user.
class Exception : public std::exception {
 public:
  explicit Exception(std::string message) : message_(std::move(message)) {}
  const std::string& Message() const noexcept { return message_; }
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  std::string message_;
};

// A text that does not read as a number: "'abc' is not a valid floating point value".
class EConvertError : public Exception {
 public:
  using Exception::Exception;
  // The failure for `text`, quoted whole (leading and trailing spaces included).
  static EConvertError InvalidFloat(std::string_view text);
};

// Base of the floating-point faults.
class EMathError : public Exception {
 public:
  using Exception::Exception;
};

// A non-zero finite number divided by zero.
class EZeroDivide : public EMathError {
 public:
  EZeroDivide() : EMathError("Floating point division by zero") {}
};

// An invalid operation; in the calculation, 0 divided by 0.
class EInvalidOp : public EMathError {
 public:
  EInvalidOp() : EMathError("Invalid floating point operation") {}
};

// A result beyond the extended range, or an extended value too large to store as a double.
class EOverflow : public EMathError {
 public:
  EOverflow() : EMathError("Floating point overflow") {}
};

}  // namespace arvelle
