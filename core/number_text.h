#pragma once
// The number texts of the results table and the input fields. Several of these texts are
// read back by later steps of the calculation, so these rules shape the results, not only
// their look. Each conversion reads FormatSettings.DecimalSeparator when it is called.
#include <cstdint>
#include <string>
#include <string_view>

#include "core/extended.h"

namespace arvelle {

// A double as text with at most 15 significant digits and no trailing zeros:
//   1060.66 -> "1060.66"   0.1 + 0.2 -> "0.3"    1/3 -> "0.333333333333333"
//   1e15    -> "1E15"      0.0001 -> "0.0001"    0.00001 -> "1E-5"
//   -0.0    -> "0"         NaN -> "NAN"          +-infinity -> "INF", "-INF"
// The exponent form is used for magnitudes of 10^15 and more and below 0.0001. The value
// is first rounded exactly to 18 significant digits (ties to even), then cut to 15 with a
// 16th digit of 5 or more rounding up. Never fails.
std::string NumberToCellText(double value);

// A text as a number in the extended format. Grammar: spaces, optional sign, digits,
// optional separator and digits (at least one of the two parts, a lone separator reads
// 0), optional exponent ("E" or "e", optional sign, digits; digits stop being taken once
// the exponent reaches 500), spaces. Only U+0020 counts as a space. The digits are built
// into an extended integer and scaled by at most three power-of-ten factors, each the
// nearest extended value, so the result is what the desktop program has always given:
//   " 12.5 " -> 12.5   ".5" -> 0.5   "5." -> 5   "1e" -> 1   "-0" -> -0   "1e400" -> 1e400
// Throws EConvertError naming the whole text when it does not read as a number or its
// value is beyond the extended range ("1e5000", "1e4999", "1 000", "0x10", "NAN", "").
// Never throws a floating-point fault.
Extended CellTextToNumber(std::string_view text);

// "%i": 0 -> "0", 99 -> "99", -5 -> "-5".
std::string IntegerToCellText(std::int32_t value);

// Two decimals, a half going to the even neighbour, decided on the exact value:
//   0.125 -> 0.12   0.375 -> 0.38   2.675 -> 2.67 (the double lies below)   -0.004 -> -0
// The value times 100 is rounded to an integer k in the extended format, and the result
// is k times 0.01 (nearest extended value), stored as a double (EOverflow beyond it).
double RoundToHundredths(Extended value);

}  // namespace arvelle
