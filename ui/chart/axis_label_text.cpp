#include "ui/chart/axis_label_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <stdexcept>
#include <string_view>

namespace arvelle {

namespace {

constexpr int kDecimals = 3;

// Room for the integer digits of the largest double (309), the sign, the point and the
// decimals.
constexpr std::size_t kFixedTextCapacity = 330;

}  // namespace

QString AxisLabelText(double value, const FormatSettingsRecord& format) {
  if (!std::isfinite(value)) throw std::invalid_argument("An axis label needs a finite value");
  std::array<char, kFixedTextCapacity> buffer{};
  const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                 std::chars_format::fixed, kDecimals)
                       .ptr;
  std::string_view fixed(buffer.data(), static_cast<std::size_t>(end - buffer.data()));

  const bool negative = fixed.front() == '-';
  if (negative) fixed.remove_prefix(1);
  const std::size_t point = fixed.find('.');
  const std::string_view integerDigits = fixed.substr(0, point);
  std::string_view decimals = fixed.substr(point + 1);
  while (!decimals.empty() && decimals.back() == '0') decimals.remove_suffix(1);

  // A value that rounds to zero is written "0", as the format writes no sign before it.
  const bool zero =
      decimals.empty() && integerDigits.find_first_not_of('0') == std::string_view::npos;

  QString text;
  if (negative && !zero) text += QLatin1Char('-');
  for (std::size_t i = 0; i < integerDigits.size(); ++i) {
    if (i > 0 && (integerDigits.size() - i) % 3 == 0) text += QChar(format.ThousandSeparator);
    text += QLatin1Char(integerDigits[i]);
  }
  if (!decimals.empty()) {
    text += QChar(format.DecimalSeparator);
    text += QLatin1String(decimals.data(), static_cast<qsizetype>(decimals.size()));
  }
  return text;
}

}  // namespace arvelle
