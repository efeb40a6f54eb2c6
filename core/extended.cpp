#include "core/extended.h"

#include <cfloat>
#include <cmath>

#include "core/errors.h"

namespace arvelle {
namespace {

// A result computed from operands that are not NaN: an infinity means the exact result
// lay beyond the extended range (the calculation's operands are always finite).
Extended Checked(long double result) {
  if (std::isinf(result)) throw EOverflow();
  return Extended::FromLongDouble(result);
}

// From 2^53 radians on, the FPU's sine and cosine instructions give up; so do we.
constexpr long double kTrigLimit = 9007199254740992.0L;

}  // namespace

double Extended::ToDouble() const {
  const double stored = static_cast<double>(value_);
  if (std::isinf(stored) && !std::isinf(value_)) throw EOverflow();
  return stored;
}

Extended operator+(Extended a, Extended b) { return Checked(a.value_ + b.value_); }
Extended operator-(Extended a, Extended b) { return Checked(a.value_ - b.value_); }
Extended operator*(Extended a, Extended b) { return Checked(a.value_ * b.value_); }

Extended operator/(Extended a, Extended b) {
  if (b.value_ == 0.0L && !a.IsNaN()) {
    if (a.value_ == 0.0L) throw EInvalidOp();
    if (std::isfinite(a.value_)) throw EZeroDivide();
  }
  return Checked(a.value_ / b.value_);
}

Extended Sqr(double x) {
  const long double wide = x;
  return Checked(wide * wide);
}

Extended Sin(double radians) {
  if (!(std::fabs(radians) < kTrigLimit)) return Extended::FromLongDouble(NAN);
  return Extended::FromLongDouble(sinl(radians));
}

Extended Cos(double radians) {
  if (!(std::fabs(radians) < kTrigLimit)) return Extended::FromLongDouble(NAN);
  return Extended::FromLongDouble(cosl(radians));
}

}  // namespace arvelle
