#include "core/number_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>

#include "core/errors.h"
#include "core/format_settings.h"

namespace arvelle {
namespace {

constexpr int kExactDigits = 18;  // the exact rounding before the cut
constexpr int kShownDigits = 15;  // significant digits a text holds at most

// Lays out `digits` (1 to 15, no trailing zero) with |v| = 0.digits x 10^exponent.
std::string LayOut(std::string_view digits, int exponent, bool negative) {
  char separator[3];
  std::size_t separatorSize = 1;
  const char16_t unit = FormatSettings.DecimalSeparator;
  if (unit < 0x80) {
    separator[0] = static_cast<char>(unit);
  } else {
    const std::string utf8 = SeparatorUtf8(unit);
    separatorSize = utf8.size();
    utf8.copy(separator, separatorSize);
  }
  const std::string_view s(separator, separatorSize);

  // At most a sign, 15 digits, 3 zeros, a separator of 3 bytes and "E-324".
  char buffer[40];
  char* out = buffer;
  const auto put = [&](std::string_view part) { out = std::copy(part.begin(), part.end(), out); };
  if (negative) *out++ = '-';
  if (exponent > 15 || exponent < -3) {
    *out++ = digits[0];
    if (digits.size() > 1) {
      put(s);
      put(digits.substr(1));
    }
    *out++ = 'E';
    const int shown = exponent - 1;
    if (shown < 0) *out++ = '-';
    out = std::to_chars(out, buffer + sizeof buffer, shown < 0 ? -shown : shown).ptr;
  } else if (exponent <= 0) {
    *out++ = '0';
    put(s);
    out = std::fill_n(out, -exponent, '0');
    put(digits);
  } else {
    const auto whole = static_cast<std::size_t>(exponent);
    if (digits.size() <= whole) {
      put(digits);
      out = std::fill_n(out, whole - digits.size(), '0');
    } else {
      put(digits.substr(0, whole));
      put(s);
      put(digits.substr(whole));
    }
  }
  return std::string(buffer, out);
}

// The powers of ten that scale a parsed mantissa, each the nearest extended value.
struct PowersOfTen {
  std::array<long double, 32> units{};        // 10^0 .. 10^31
  std::array<long double, 16> thirtyTwos{};   // 10^(32 k)
  std::array<long double, 10> fiveTwelves{};  // 10^(512 k), up to 10^4608

  PowersOfTen() {
    // glibc's strtold rounds correctly to the nearest extended value.
    const auto power = [](int k) {
      const std::string text = "1e" + std::to_string(k);
      return std::strtold(text.c_str(), nullptr);
    };
    for (int k = 0; k < 32; ++k) units[k] = power(k);
    for (int k = 0; k < 16; ++k) thirtyTwos[k] = power(32 * k);
    for (int k = 0; k < 10; ++k) fiveTwelves[k] = power(512 * k);
  }
};

const PowersOfTen& Powers() {
  static const PowersOfTen powers;
  return powers;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// `value` rounded to an integer, an exact half to the even neighbour, whatever rounding
// mode the FPU is in; a zero result keeps the sign of `value`. From 2^63 on every extended
// value is an integer already.
long double RoundHalfEven(long double value) {
  constexpr long double kTwoTo63 = 9223372036854775808.0L;
  const long double magnitude = value < 0 ? -value : value;
  if (!(magnitude < kTwoTo63)) return value;  // also a NaN
  // Beyond 2^63 the extended format holds no fraction bits, so the sum lands on an integer
  // (which one depends on the rounding mode) and taking 2^63 off again is exact; what the
  // mode chose is then corrected on the exact remainder.
  long double whole = (magnitude + kTwoTo63) - kTwoTo63;
  long double fraction = magnitude - whole;  // exact, between -1 and 1
  if (fraction > 0.5L) {
    whole += 1.0L;
    fraction -= 1.0L;
  } else if (fraction < -0.5L) {
    whole -= 1.0L;
    fraction += 1.0L;
  }
  // A tie left on an odd integer goes to the even neighbour on the other side of it.
  if ((fraction == 0.5L || fraction == -0.5L) && (static_cast<std::uint64_t>(whole) & 1) != 0) {
    whole += fraction > 0 ? 1.0L : -1.0L;
  }
  return std::signbit(value) ? -whole : whole;
}

}  // namespace

std::string NumberToCellText(double value) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
  if (value == 0) return "0";

  // A normal double whose shortest form has at most 15 digits lies well within half a unit
  // of the 15th digit of that form, so the exact rounding below would give the same
  // digits; the shortest form is much cheaper to get. Subnormals have too few bits.
  char buffer[40];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                              std::chars_format::scientific);
  std::string_view scientific(buffer, static_cast<std::size_t>(result.ptr - buffer));
  std::size_t e = scientific.find('e');
  const std::size_t shortestDigits = e > 1 ? e - 1 : 1;  // d.ddd: all but the point
  const bool exact =
      shortestDigits > kShownDigits || std::fabs(value) < std::numeric_limits<double>::min();
  if (exact) {
    // d.ddddddddddddddddde±x: the exact value rounded to 18 digits, ties to even.
    result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                           std::chars_format::scientific, kExactDigits - 1);
    scientific = std::string_view(buffer, static_cast<std::size_t>(result.ptr - buffer));
    e = scientific.find('e');
  }
  int exponent10 = 0;
  const char* exponentText = scientific.data() + e + 1;
  const bool exponentNegative = *exponentText == '-';
  if (*exponentText == '-' || *exponentText == '+') ++exponentText;
  std::from_chars(exponentText, scientific.data() + scientific.size(), exponent10);
  if (exponentNegative) exponent10 = -exponent10;
  int exponent = exponent10 + 1;  // |v| = 0.d1d2... x 10^exponent

  std::array<char, kExactDigits> digits{};
  digits.fill('0');
  digits[0] = scientific[0];
  const std::size_t count = exact ? kExactDigits : shortestDigits;
  for (std::size_t i = 1; i < count; ++i) digits[i] = scientific[i + 1];

  // The cut to 15 digits takes a 16th digit of 5 or more upwards, even an exact half.
  int length = kShownDigits;
  if (digits[kShownDigits] >= '5') {
    int i = kShownDigits - 1;
    while (i >= 0 && digits[i] == '9') digits[i--] = '0';
    if (i < 0) {
      digits[0] = '1';
      length = 1;
      ++exponent;
    } else {
      ++digits[i];
    }
  }
  while (length > 1 && digits[length - 1] == '0') --length;
  return LayOut(std::string_view(digits.data(), static_cast<std::size_t>(length)), exponent,
                value < 0);
}

Extended CellTextToNumber(std::string_view text) {
  const char16_t separatorUnit = FormatSettings.DecimalSeparator;
  char asciiSeparator[1] = {static_cast<char>(separatorUnit)};
  const std::string wideSeparator =
      separatorUnit < 0x80 ? std::string() : SeparatorUtf8(separatorUnit);
  const std::string_view separator =
      separatorUnit < 0x80 ? std::string_view(asciiSeparator, 1) : std::string_view(wideSeparator);
  const std::size_t size = text.size();
  std::size_t pos = 0;
  const auto invalid = [&] { return EConvertError::InvalidFloat(text); };

  while (pos < size && text[pos] == ' ') ++pos;
  bool negative = false;
  if (pos < size && (text[pos] == '+' || text[pos] == '-')) negative = text[pos++] == '-';

  // The first 19 digits are exact in the extended format, so they are gathered in an
  // integer; from the 20th on, each step M x 10 + digit rounds as the extended format does.
  std::uint64_t exactMantissa = 0;
  int exactDigits = 0;
  long double mantissa = 0.0L;
  bool took = false;
  long long fractionDigits = 0;
  const auto takeDigit = [&](char c) {
    if (exactDigits < 19) {
      exactMantissa = exactMantissa * 10 + static_cast<std::uint64_t>(c - '0');
      if (++exactDigits == 19) mantissa = static_cast<long double>(exactMantissa);
      return;
    }
    mantissa = mantissa * 10.0L;
    mantissa = mantissa + static_cast<long double>(c - '0');
    if (std::isinf(mantissa)) throw invalid();
  };
  while (pos < size && IsDigit(text[pos])) {
    takeDigit(text[pos++]);
    took = true;
  }
  const bool atSeparator = separator.size() == 1 ? pos < size && text[pos] == separator[0]
                                                 : text.substr(pos, separator.size()) == separator;
  if (atSeparator) {
    pos += separator.size();
    took = true;
    while (pos < size && IsDigit(text[pos])) {
      takeDigit(text[pos++]);
      ++fractionDigits;
    }
  }
  if (!took) throw invalid();
  if (exactDigits < 19) mantissa = static_cast<long double>(exactMantissa);

  int exponent = 0;
  if (pos < size && (text[pos] == 'E' || text[pos] == 'e')) {
    ++pos;
    bool exponentNegative = false;
    if (pos < size && (text[pos] == '+' || text[pos] == '-')) exponentNegative = text[pos++] == '-';
    while (pos < size && IsDigit(text[pos]) && exponent < 500) {
      exponent = exponent * 10 + (text[pos++] - '0');
    }
    if (exponentNegative) exponent = -exponent;
  }
  while (pos < size && text[pos] == ' ') ++pos;
  if (pos != size) throw invalid();

  const long long scale = exponent - fractionDigits;
  long double magnitude = mantissa;
  if (mantissa == 0.0L || scale <= -5120) {
    magnitude = 0.0L;
  } else {
    const PowersOfTen& powers = Powers();
    const long long steps = scale < 0 ? -scale : scale;
    const auto apply = [&](long double factor) {
      magnitude = scale > 0 ? magnitude * factor : magnitude / factor;
      if (std::isinf(magnitude)) throw invalid();
    };
    apply(powers.units[static_cast<std::size_t>(steps % 32)]);
    if ((steps / 32) % 16 != 0)
      apply(powers.thirtyTwos[static_cast<std::size_t>((steps / 32) % 16)]);
    if (steps / 512 != 0) apply(powers.fiveTwelves[static_cast<std::size_t>(steps / 512)]);
  }
  return Extended::FromLongDouble(negative ? -magnitude : magnitude);
}

std::string IntegerToCellText(std::int32_t value) { return std::to_string(value); }

double RoundToHundredths(Extended value) {
  static const Extended kHundredth = Extended::FromLongDouble(0.01L);
  const Extended scaled = value * 100.0;
  const Extended whole = Extended::FromLongDouble(RoundHalfEven(scaled.Value()));
  return (whole * kHundredth).ToDouble();
}

}  // namespace arvelle
