#include "core/number_text.h"

#include <math.h>  // roundevenl: ties to even whatever the rounding mode

#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

#include "core/errors.h"
#include "core/format_settings.h"

namespace arvelle {
namespace {

constexpr int kExactDigits = 18;  // the exact rounding before the cut
constexpr int kShownDigits = 15;  // significant digits a text holds at most

// Lays out `digits` (1 to 15, no trailing zero) with |v| = 0.digits x 10^exponent.
std::string LayOut(std::string_view digits, int exponent, bool negative) {
  const std::string separator = SeparatorUtf8(FormatSettings.DecimalSeparator);
  std::string text;
  text.reserve(24);
  if (negative) text += '-';
  if (exponent > 15 || exponent < -3) {
    text += digits[0];
    if (digits.size() > 1) {
      text += separator;
      text.append(digits.substr(1));
    }
    text += 'E';
    const int shown = exponent - 1;
    if (shown < 0) text += '-';
    text += std::to_string(shown < 0 ? -shown : shown);
  } else if (exponent <= 0) {
    text += '0';
    text += separator;
    text.append(static_cast<std::size_t>(-exponent), '0');
    text.append(digits);
  } else {
    const auto whole = static_cast<std::size_t>(exponent);
    if (digits.size() <= whole) {
      text.append(digits);
      text.append(whole - digits.size(), '0');
    } else {
      text.append(digits.substr(0, whole));
      text += separator;
      text.append(digits.substr(whole));
    }
  }
  return text;
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

}  // namespace

std::string NumberToCellText(double value) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
  if (value == 0) return "0";

  // d.ddddddddddddddddde±x: the exact value rounded to 18 digits, ties to even.
  char buffer[40];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                    std::chars_format::scientific, kExactDigits - 1);
  const std::string_view scientific(buffer, static_cast<std::size_t>(result.ptr - buffer));
  const std::size_t e = scientific.find('e');
  int exponent10 = 0;
  const char* exponentText = scientific.data() + e + 1;
  const bool exponentNegative = *exponentText == '-';
  if (*exponentText == '-' || *exponentText == '+') ++exponentText;
  std::from_chars(exponentText, scientific.data() + scientific.size(), exponent10);
  if (exponentNegative) exponent10 = -exponent10;
  int exponent = exponent10 + 1;  // |v| = 0.d1d2... x 10^exponent

  std::array<char, kExactDigits> digits{};
  digits[0] = scientific[0];
  for (int i = 1; i < kExactDigits; ++i) digits[i] = scientific[static_cast<std::size_t>(i) + 1];

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
  const std::string separator = SeparatorUtf8(FormatSettings.DecimalSeparator);
  const std::size_t size = text.size();
  std::size_t pos = 0;
  const auto invalid = [&] { return EConvertError::InvalidFloat(text); };

  while (pos < size && text[pos] == ' ') ++pos;
  bool negative = false;
  if (pos < size && (text[pos] == '+' || text[pos] == '-')) negative = text[pos++] == '-';

  long double mantissa = 0.0L;
  bool took = false;
  long long fractionDigits = 0;
  const auto takeDigit = [&](char c) {
    mantissa = mantissa * 10.0L;
    mantissa = mantissa + static_cast<long double>(c - '0');
    if (std::isinf(mantissa)) throw invalid();
  };
  while (pos < size && IsDigit(text[pos])) {
    takeDigit(text[pos++]);
    took = true;
  }
  if (text.substr(pos, separator.size()) == separator) {
    pos += separator.size();
    took = true;
    while (pos < size && IsDigit(text[pos])) {
      takeDigit(text[pos++]);
      ++fractionDigits;
    }
  }
  if (!took) throw invalid();

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
  const Extended whole = Extended::FromLongDouble(roundevenl(scaled.Value()));
  return (whole * kHundredth).ToDouble();
}

}  // namespace arvelle
