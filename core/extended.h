#pragma once
// Arithmetic in the 80-bit extended format of the x86 floating-point unit, with the
// faults checked explicitly at each operation instead of trapped by the FPU.
//
// Every operation rounds to the nearest extended value, ties to even. An operation
// whose result cannot be represented throws before anything is stored:
//   0 / 0                         -> EInvalidOp
//   finite non-zero / 0           -> EZeroDivide
//   a result beyond the range     -> EOverflow   (about 1.19e4932)
//   ToDouble() beyond DBL_MAX     -> EOverflow
// Underflow and inexact results pass silently; a NaN operand gives a NaN.
#include <limits>

static_assert(std::numeric_limits<long double>::digits == 64 &&
                  std::numeric_limits<long double>::max_exponent == 16384,
              "Arvelle needs the 80-bit x87 extended format as long double "
              "(x86-64 with GCC or Clang).");

namespace arvelle {

class Extended {
 public:
  constexpr Extended() = default;
  // Widening a double is exact.
  constexpr Extended(double value) : value_(value) {}  // NOLINT(google-explicit-constructor)
  static constexpr Extended FromLongDouble(long double value) {
    Extended e;
    e.value_ = value;
    return e;
  }

  constexpr long double Value() const { return value_; }
  bool IsNaN() const { return value_ != value_; }

  // Stores the value as a double, rounding to nearest; EOverflow when it rounds beyond
  // the largest double.
  double ToDouble() const {
    const double stored = static_cast<double>(value_);
    if (__builtin_isinf(stored) && !__builtin_isinf(value_)) [[unlikely]]
      ThrowOverflow();
    return stored;
  }

  friend Extended operator+(Extended a, Extended b) { return Checked(a.value_ + b.value_); }
  friend Extended operator-(Extended a, Extended b) { return Checked(a.value_ - b.value_); }
  friend Extended operator*(Extended a, Extended b) { return Checked(a.value_ * b.value_); }
  friend Extended operator/(Extended a, Extended b) {
    if (b.value_ == 0.0L && a.value_ == a.value_) ThrowDivisionByZero(a.value_);
    return Checked(a.value_ / b.value_);
  }
  friend Extended operator-(Extended a) { return FromLongDouble(-a.value_); }

 private:
  // The operands of the calculation are finite or NaN, so an infinite result can only
  // mean that the exact result lay beyond the extended range.
  static Extended Checked(long double result) {
    if (__builtin_isinf(result)) [[unlikely]]
      ThrowOverflow();
    return FromLongDouble(result);
  }
  [[noreturn]] static void ThrowOverflow();
  [[noreturn]] static void ThrowDivisionByZero(long double dividend);

  long double value_ = 0.0L;
};

// x raised to the power 2: x * x rounded once to the extended format.
Extended Sqr(double x);

// Sine and cosine of a double number of radians, to extended precision. For |x| of 2^53
// or more, an infinity or a NaN, both give a NaN without a failure.
Extended Sin(double radians);
Extended Cos(double radians);

}  // namespace arvelle
