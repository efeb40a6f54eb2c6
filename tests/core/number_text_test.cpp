#include "core/number_text.h"

#include <gtest/gtest.h>

#include <bit>
#include <cfenv>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include "core/errors.h"
#include "separator_guard.h"

namespace arvelle {
namespace {

using test::SeparatorGuard;

std::string Hex(double v) {
  char buffer[64];
  const auto r = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::hex);
  return std::string(buffer, r.ptr);
}

double FromBits(std::uint64_t bits) { return std::bit_cast<double>(bits); }

// ---- NumberToCellText ------------------------------------------------------------

struct TextCase {
  const char* name;
  double value;
  const char* text;
};

class NumberToCellTextTest : public testing::TestWithParam<TextCase> {};

TEST_P(NumberToCellTextTest, WritesTheText) {
  const TextCase& c = GetParam();
  EXPECT_EQ(NumberToCellText(c.value), c.text) << Hex(c.value);
}

INSTANTIATE_TEST_SUITE_P(
    Values, NumberToCellTextTest,
    testing::Values(
        TextCase{"nearest_1060_66", 1060.66, "1060.66"},
        TextCase{"sum_of_0_1_and_0_2", 0.1 + 0.2, "0.3"},
        TextCase{"one_third", 1.0 / 3.0, "0.333333333333333"},
        TextCase{"two_thirds", 2.0 / 3.0, "0.666666666666667"}, TextCase{"hundred", 100, "100"},
        TextCase{"fifteen_nines", 999999999999999.0, "999999999999999"},
        TextCase{"ten_to_15", 1e15, "1E15"},
        TextCase{"eighteen_digits", 123456789012345678.0, "1.23456789012346E17"},
        TextCase{"ten_to_100", 1e100, "1E100"}, TextCase{"one_ten_thousandth", 0.0001, "0.0001"},
        TextCase{"ten_to_minus_5", 0.00001, "1E-5"},
        TextCase{"minus_1_5e_minus_7", -0.00000015, "-1.5E-7"},
        TextCase{"negative_zero", -0.0, "0"}, TextCase{"positive_zero", 0.0, "0"},
        TextCase{"exact_half_at_16th_digit", 44856798271742.25, "44856798271742.3"},
        TextCase{"negative", -128.33, "-128.33"},
        TextCase{"carry_out_of_first_digit", 9999999999999999.0, "1E16"},
        TextCase{"carry_into_integer", 0.99999999999999999, "1"},
        TextCase{"largest_double", std::numeric_limits<double>::max(), "1.79769313486232E308"},
        TextCase{"smallest_subnormal", std::numeric_limits<double>::denorm_min(),
                 "4.94065645841247E-324"},
        TextCase{"nan", std::numeric_limits<double>::quiet_NaN(), "NAN"},
        TextCase{"plus_infinity", std::numeric_limits<double>::infinity(), "INF"},
        TextCase{"minus_infinity", -std::numeric_limits<double>::infinity(), "-INF"},
        TextCase{"integer_with_zeros", 2250000, "2250000"}, TextCase{"below_one", 0.05, "0.05"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(NumberToCellTextSeparator, CommaStandsWhereThePointWould) {
  SeparatorGuard comma(u',');
  EXPECT_EQ(NumberToCellText(1060.66), "1060,66");
  EXPECT_EQ(NumberToCellText(-0.00000015), "-1,5E-7");
  EXPECT_EQ(NumberToCellText(0.0001), "0,0001");
}

TEST(NumberToCellTextSeparator, NonAsciiSeparatorIsWrittenAsUtf8) {
  SeparatorGuard arabic(u'\u066B');
  EXPECT_EQ(NumberToCellText(2.5), "2\u066B5");
  EXPECT_DOUBLE_EQ(static_cast<double>(CellTextToNumber("2\u066B5").Value()), 2.5);
}

// Splits a text of either form into its significant digits and decimal exponent, so
// that two layouts of the same number compare equal.
std::pair<std::string, int> Significant(const std::string& text) {
  std::string digits;
  int exponent = 0;
  int pointAt = -1;
  std::size_t i = 0;
  if (text[i] == '-') ++i;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '.') {
      pointAt = static_cast<int>(digits.size());
    } else if (c == 'e' || c == 'E') {
      exponent = std::stoi(text.substr(i + 1));
      break;
    } else {
      digits += c;
    }
  }
  if (pointAt < 0) pointAt = static_cast<int>(digits.size());
  int lead = 0;
  while (lead + 1 < static_cast<int>(digits.size()) && digits[lead] == '0') ++lead;
  digits.erase(0, static_cast<std::size_t>(lead));
  pointAt -= lead;
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  return {digits, exponent + pointAt};
}

TEST(NumberToCellTextProperty, ShortestFormsOfFifteenDigitsComeOutAsThemselves) {
  std::mt19937_64 random(20261211);
  std::uniform_int_distribution<std::int64_t> mantissa(1, 999999999999999);
  std::uniform_int_distribution<int> exponent(-320, 290);
  int checked = 0;
  for (int round = 0; round < 200000; ++round) {
    const std::string decimal =
        std::to_string(mantissa(random)) + "e" + std::to_string(exponent(random));
    const double value = std::strtod(decimal.c_str(), nullptr);
    if (value == 0 || std::isinf(value)) continue;
    char buffer[40];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, value);
    const std::string shortest(buffer, r.ptr);
    if (Significant(shortest).first.size() > 15) continue;  // a subnormal with few bits
    const std::string text = NumberToCellText(value);
    ASSERT_EQ(Significant(text), Significant(shortest)) << Hex(value) << " " << text;
    ASSERT_EQ(std::strtod(text.c_str(), nullptr), value) << text;
    ++checked;
  }
  EXPECT_GT(checked, 150000);
}

TEST(NumberToCellTextProperty, RandomDoublesReadBackToTheSameFifteenDigits) {
  std::mt19937_64 random(42);
  for (int round = 0; round < 100000; ++round) {
    const double value = FromBits(random());
    if (!std::isfinite(value) || value == 0) continue;
    const std::string text = NumberToCellText(value);
    const double back = CellTextToNumber(text).ToDouble();
    char expected[32];
    char actual[32];
    std::snprintf(expected, sizeof expected, "%.14e", value);
    std::snprintf(actual, sizeof actual, "%.14e", back);
    // The 15-digit text of a value that rounds up to exactly half may flip the last digit
    // once more; compare through the text instead, which must be a fixed point.
    ASSERT_EQ(NumberToCellText(back), text) << Hex(value) << " " << expected << " " << actual;
  }
}

// The digits by the rule itself, with glibc's printf as the exact 18-digit rounding
// (it rounds exact ties to even), then the cut to 15 digits taking a 5 upwards.
std::pair<std::string, int> ByTheRule(double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.17e", std::fabs(value));
  std::string digits = std::string(1, buffer[0]) + std::string(buffer + 2, 17);
  int exponent = std::atoi(std::strchr(buffer, 'e') + 1) + 1;
  const bool up = digits[15] >= '5';
  digits.resize(15);
  if (up) {
    int i = 14;
    while (i >= 0 && digits[i] == '9') digits[i--] = '0';
    if (i < 0) {
      digits = "1";
      ++exponent;
    } else {
      ++digits[i];
    }
  }
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  return {digits, exponent};
}

TEST(NumberToCellTextProperty, AgreesWithTheExactRoundingForAnyDouble) {
  std::mt19937_64 random(1);
  for (int round = 0; round < 200000; ++round) {
    // Half of the values with few decimals, where the shortest form is short.
    const double value = round % 2 == 0
                             ? FromBits(random())
                             : static_cast<double>(static_cast<std::int64_t>(random() >> 20)) /
                                   std::pow(10.0, static_cast<int>(random() % 30));
    if (!std::isfinite(value) || value == 0) continue;
    const auto [digits, exponent] = ByTheRule(value);
    const auto [shown, shownExponent] = Significant(NumberToCellText(value));
    ASSERT_EQ(shown, digits) << Hex(value);
    ASSERT_EQ(shownExponent, exponent) << Hex(value);
  }
}

TEST(NumberToCellTextProperty, SubnormalsUseTheExactRounding) {
  for (const std::uint64_t bits : {0x1ull, 0x2ull, 0x3ull, 0xFFFFFull, 0x000FFFFFFFFFFFFFull}) {
    const double value = FromBits(bits);
    const auto [digits, exponent] = ByTheRule(value);
    EXPECT_EQ(Significant(NumberToCellText(value)), std::make_pair(digits, exponent)) << Hex(value);
  }
}

TEST(NumberToCellTextProperty, TheLargestDoublesTextLiesBeyondIt) {
  // Fifteen digits round the largest double up: its text, read back, overflows the store.
  const std::string text = NumberToCellText(-std::numeric_limits<double>::max());
  EXPECT_EQ(text, "-1.79769313486232E308");
  EXPECT_THROW(CellTextToNumber(text).ToDouble(), EOverflow);
  EXPECT_EQ(CellTextToNumber(NumberToCellText(1.7976931348623e308)).ToDouble(),
            1.7976931348623e308);
}

// ---- CellTextToNumber ------------------------------------------------------------

struct ParseCase {
  const char* name;
  const char* text;
  long double value;
};

class CellTextToNumberTest : public testing::TestWithParam<ParseCase> {};

TEST_P(CellTextToNumberTest, ReadsTheValue) {
  const ParseCase& c = GetParam();
  const long double value = CellTextToNumber(c.text).Value();
  EXPECT_EQ(value, c.value) << c.text;
  EXPECT_EQ(std::signbit(value), std::signbit(c.value)) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Valid, CellTextToNumberTest,
    testing::Values(
        ParseCase{"spaces_around", " 12.5 ", 12.5L}, ParseCase{"plus_sign", "+3", 3.0L},
        ParseCase{"no_integer_digits", ".5", 0.5L}, ParseCase{"no_fraction_digits", "5.", 5.0L},
        ParseCase{"separator_alone", ".", 0.0L}, ParseCase{"minus_separator", "-.", -0.0L},
        ParseCase{"negative_zero", "-0", -0.0L}, ParseCase{"exponent", "1E-2", 0.01L},
        ParseCase{"bare_exponent_letter", "1e", 1.0L},
        ParseCase{"exponent_sign_without_digits", "1e+", 1.0L},
        ParseCase{"leading_zeros", "0012", 12.0L},
        ParseCase{"lower_case_exponent", "2.5e3", 2500.0L},
        ParseCase{"very_many_fraction_zeros",
                  "0.00000000000000000000000000000000000000000000000000001", 1e-53L},
        ParseCase{"nineteen_digits_exact", "1234567890123456789", 1234567890123456789.0L}),
    [](const auto& info) { return std::string(info.param.name); });

class CellTextToNumberInvalidTest : public testing::TestWithParam<const char*> {};

TEST_P(CellTextToNumberInvalidTest, NamesTheWholeText) {
  const std::string text = GetParam();
  try {
    CellTextToNumber(text);
    FAIL() << "no failure for '" << text << "'";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'" + text + "' is not a valid floating point value");
  }
}

INSTANTIATE_TEST_SUITE_P(Invalid, CellTextToNumberInvalidTest,
                         testing::Values("", " ", "+", "1 000", "--1", "1.2.3", "0x10", "NAN",
                                         "INF", "1e5000", "1e4999", "\t1", "12,5", "abc", "1e5a",
                                         "- 1", "1-", "e5", " 1 x"));

TEST(CellTextToNumberSeparator, FollowsTheSettingAtTheMomentOfTheCall) {
  {
    SeparatorGuard comma(u',');
    EXPECT_EQ(CellTextToNumber("12,5").Value(), 12.5L);
    EXPECT_THROW(CellTextToNumber("1.5"), EConvertError);
  }
  EXPECT_EQ(CellTextToNumber("1.5").Value(), 1.5L);
  EXPECT_THROW(CellTextToNumber("12,5"), EConvertError);
}

TEST(CellTextToNumberRounding, RoundsTwiceOnTheWayToADouble) {
  // Rounded first to the extended format and then to a double, this text lands one unit
  // in the last place away from the double nearest to it.
  const double twice = CellTextToNumber("0.066434").ToDouble();
  const double nearest = std::strtod("0.066434", nullptr);
  EXPECT_NE(twice, nearest);
  EXPECT_EQ(std::nextafter(nearest, twice), twice) << Hex(twice) << " " << Hex(nearest);
  EXPECT_EQ(CellTextToNumber("1060.66").ToDouble(), 1060.66);
}

TEST(CellTextToNumberRounding, StoringBeyondTheDoubleRangeOverflows) {
  EXPECT_THROW(CellTextToNumber("1e400").ToDouble(), EOverflow);
  EXPECT_EQ(CellTextToNumber("1e-400").ToDouble(), 0.0);
}

TEST(CellTextToNumberRounding, LongMantissasAndLargeExponentsStayInRange) {
  EXPECT_NEAR(static_cast<double>(CellTextToNumber("1e4932").Value() / 1e4932L), 1.0, 1e-15);
  EXPECT_NEAR(static_cast<double>(CellTextToNumber("1e400").Value() / 1e400L), 1.0, 1e-15);
  EXPECT_NEAR(static_cast<double>(CellTextToNumber("1e-400").Value() / 1e-400L), 1.0, 1e-15);
  EXPECT_THROW(CellTextToNumber("2e4932"), EConvertError);
  // The digits themselves must fit the extended range, whatever the exponent says.
  const std::string ones = "1" + std::string(4000, '0');
  EXPECT_NEAR(static_cast<double>(CellTextToNumber(ones + "e-4000").Value()), 1.0, 1e-15);
  EXPECT_THROW(CellTextToNumber("1" + std::string(6000, '0') + "e-6000"), EConvertError);
  // Below 10^-5119 the value is 0 without any division.
  EXPECT_EQ(CellTextToNumber("0." + std::string(6000, '0') + "1").Value(), 0.0L);
}

// ---- IntegerToCellText -----------------------------------------------------------

TEST(IntegerToCellText, WritesPlainDecimalDigits) {
  EXPECT_EQ(IntegerToCellText(0), "0");
  EXPECT_EQ(IntegerToCellText(99), "99");
  EXPECT_EQ(IntegerToCellText(-5), "-5");
  EXPECT_EQ(IntegerToCellText(65535), "65535");
}

// ---- RoundToHundredths -----------------------------------------------------------

struct RoundCase {
  const char* name;
  Extended argument;
  const char* text;
};

class RoundToHundredthsTest : public testing::TestWithParam<RoundCase> {};

TEST_P(RoundToHundredthsTest, RoundsHalvesToEven) {
  const RoundCase& c = GetParam();
  EXPECT_EQ(NumberToCellText(RoundToHundredths(c.argument)), c.text);
}

const Extended kPi = Extended::FromLongDouble(3.141592653L);

INSTANTIATE_TEST_SUITE_P(
    WorkedValues, RoundToHundredthsTest,
    testing::Values(RoundCase{"exact_eighth_down", 0.125, "0.12"},
                    RoundCase{"exact_three_eighths_up", 0.375, "0.38"},
                    RoundCase{"negative_eighth", -0.125, "-0.12"},
                    RoundCase{"double_below_2_675", 2.675, "2.67"},
                    RoundCase{"negative_2_675", -2.675, "-2.67"},
                    RoundCase{"double_below_1_005", 1.005, "1"},
                    RoundCase{"product_not_rounded_first", 0.015, "0.01"},
                    RoundCase{"double_above_0_025", 0.025, "0.03"},
                    RoundCase{"double_above_0_005", 0.005, "0.01"},
                    RoundCase{"already_two_decimals", 1060.66, "1060.66"},
                    RoundCase{"small_negative_to_zero", -0.004, "0"},
                    RoundCase{"seventh_of_a_turn", Extended(360.0) / 7.0, "51.43"},
                    RoundCase{"step_of_64_bolts", Extended(360.0) / 64.0, "5.62"},
                    RoundCase{"step_of_192_bolts", Extended(360.0) / 192.0, "1.88"},
                    RoundCase{"step_of_320_bolts", Extended(360.0) / 320.0, "1.12"},
                    RoundCase{"distance_of_default", Extended(3000.0) * kPi / 4.0, "2356.19"},
                    RoundCase{"extended_half_of_100_01", Extended(100.01) / 2.0, "50.01"},
                    RoundCase{"square_of_1060_66", Sqr(1060.66), "1124999.64"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RoundToHundredths, ZeroKeepsItsSign) {
  EXPECT_TRUE(std::signbit(RoundToHundredths(-0.004)));
  EXPECT_TRUE(std::signbit(RoundToHundredths(-0.0)));
  EXPECT_TRUE(std::signbit(RoundToHundredths(-0.3 / 100)));
  EXPECT_FALSE(std::signbit(RoundToHundredths(Sqr(-0.0))));
}

TEST(RoundToHundredths, TiesGoToEvenAcrossTheWholeRange) {
  // (2j + 1) / 8 times 100 is exactly 25 j + 12.5: a tie between 25 j + 12 and 25 j + 13,
  // for integer parts from 12 up to about 2^60.
  for (const std::uint64_t j :
       {0ull, 1ull, 2ull, 3ull, 1000001ull, (1ull << 40) + 3, (1ull << 55) + 1, (1ull << 55) + 2}) {
    const long double value = static_cast<long double>(2 * j + 1) / 8.0L;
    const std::uint64_t even = 25 * j + 12 + ((25 * j + 12) % 2);
    EXPECT_EQ(RoundToHundredths(Extended::FromLongDouble(value)),
              static_cast<double>(static_cast<long double>(even) * 0.01L))
        << j;
  }
}

TEST(RoundToHundredths, TiesGoToEvenInEveryRoundingMode) {
  // Times 100 these arguments give exact ties (or, for the last, a value far from one), so
  // only the rounding to an integer could follow the FPU's mode; it must not.
  for (const int mode : {FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO, FE_TONEAREST}) {
    ASSERT_EQ(std::fesetround(mode), 0);
    const double up = RoundToHundredths(0.375);    // 37.5 -> 38
    const double down = RoundToHundredths(0.125);  // 12.5 -> 12
    const double negative = RoundToHundredths(-0.125);
    const double above = RoundToHundredths(0.12625);  // 12.625 -> 13
    std::fesetround(FE_TONEAREST);
    EXPECT_EQ(NumberToCellText(up), "0.38") << mode;
    EXPECT_EQ(NumberToCellText(down), "0.12") << mode;
    EXPECT_EQ(NumberToCellText(negative), "-0.12") << mode;
    EXPECT_EQ(NumberToCellText(above), "0.13") << mode;
  }
}

TEST(RoundToHundredths, NaNPassesAndOverflowRaises) {
  EXPECT_TRUE(std::isnan(RoundToHundredths(Sin(std::ldexp(1.0, 53)))));
  EXPECT_THROW(RoundToHundredths(Sqr(1e200)), EOverflow);
}

}  // namespace
}  // namespace arvelle
