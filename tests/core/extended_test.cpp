#include "core/extended.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/errors.h"

namespace arvelle {
namespace {

TEST(ExtendedFaults, DivisionByZero) {
  EXPECT_THROW(Extended(360.0) / 0.0, EZeroDivide);
  EXPECT_THROW(Extended(-1.0) / -0.0, EZeroDivide);
  EXPECT_THROW(Extended(0.0) / 0.0, EInvalidOp);
  EXPECT_THROW(Extended(-0.0) / 0.0, EInvalidOp);
}

TEST(ExtendedFaults, EveryFaultIsAMathError) {
  EXPECT_THROW(Extended(1.0) / 0.0, EMathError);
  EXPECT_THROW(Extended(0.0) / 0.0, Exception);
  try {
    Extended(0.0) / 0.0;
  } catch (const EInvalidOp& e) {
    EXPECT_EQ(e.Message(), "Invalid floating point operation");
  }
  try {
    Extended(1.0) / 0.0;
  } catch (const EZeroDivide& e) {
    EXPECT_EQ(e.Message(), "Floating point division by zero");
  }
}

TEST(ExtendedFaults, OverflowOfTheExtendedRangeAndOfADoubleStore) {
  const Extended huge = Extended::FromLongDouble(std::numeric_limits<long double>::max());
  EXPECT_THROW(huge * 2.0, EOverflow);
  EXPECT_THROW(huge + huge, EOverflow);
  EXPECT_THROW(Sqr(1e200).ToDouble(), EOverflow);
  EXPECT_NO_THROW(Sqr(1e150).ToDouble());
  try {
    Sqr(1e200).ToDouble();
  } catch (const EOverflow& e) {
    EXPECT_EQ(e.Message(), "Floating point overflow");
  }
}

TEST(ExtendedFaults, UnderflowAndNaNPassSilently) {
  EXPECT_EQ((Extended(1e-300) * 1e-300).ToDouble(), 0.0);
  const Extended tiny = Extended::FromLongDouble(std::numeric_limits<long double>::denorm_min());
  EXPECT_EQ((tiny / 2.0).Value(), 0.0L);
  const Extended nan = Sin(std::numeric_limits<double>::infinity());
  EXPECT_TRUE((nan * 3.0).IsNaN());
  EXPECT_TRUE((nan / 0.0).IsNaN());
}

TEST(ExtendedArithmetic, KeepsTheSixtyFourBitSignificand) {
  // 1 + 2^-60 is lost in a double but kept in the extended format.
  const Extended sum = Extended(1.0) + std::ldexp(1.0, -60);
  EXPECT_NE(sum.Value(), 1.0L);
  EXPECT_EQ(sum.ToDouble(), 1.0);
  const long double wide = 1060.66;  // the double, widened
  EXPECT_EQ(Sqr(1060.66).Value(), wide * wide);
  EXPECT_NE(Sqr(1060.66).Value(), static_cast<long double>(1060.66 * 1060.66));
}

TEST(ExtendedTrig, ExactAtZeroAndNaNFromTwoToThe53) {
  EXPECT_EQ(Sin(0.0).Value(), 0.0L);
  EXPECT_EQ(Cos(0.0).Value(), 1.0L);
  const double limit = std::ldexp(1.0, 53);
  EXPECT_FALSE(Sin(std::nextafter(limit, 0.0)).IsNaN());
  EXPECT_TRUE(Sin(limit).IsNaN());
  EXPECT_TRUE(Cos(-limit).IsNaN());
  EXPECT_TRUE(Cos(std::numeric_limits<double>::quiet_NaN()).IsNaN());
  EXPECT_TRUE(Sin(-std::numeric_limits<double>::infinity()).IsNaN());
}

}  // namespace
}  // namespace arvelle
