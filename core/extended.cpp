#include "core/extended.h"

#include <cfloat>
#include <cmath>

#include "core/errors.h"

namespace arvelle {
namespace {

// From 2^53 radians on, the sine and cosine give up with a NaN.
constexpr double kTrigLimit = 9007199254740992.0;

}  // namespace

void Extended::ThrowOverflow() { throw EOverflow(); }

void Extended::ThrowDivisionByZero(long double dividend) {
  if (dividend == 0.0L) throw EInvalidOp();
  throw EZeroDivide();
}

Extended Sqr(double x) {
  const long double wide = x;
  return Extended::FromLongDouble(wide) * Extended::FromLongDouble(wide);
}

// The FPU's own sine and cosine instructions, the ones the program's results were always
// computed with; below 2^53 their argument reduction is all the calculation needs.
Extended Sin(double radians) {
  if (!(std::fabs(radians) < kTrigLimit)) return Extended::FromLongDouble(NAN);
  long double result = radians;
  __asm__("fsin" : "+t"(result));
  return Extended::FromLongDouble(result);
}

Extended Cos(double radians) {
  if (!(std::fabs(radians) < kTrigLimit)) return Extended::FromLongDouble(NAN);
  long double result = radians;
  __asm__("fcos" : "+t"(result));
  return Extended::FromLongDouble(result);
}

}  // namespace arvelle
