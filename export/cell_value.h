#pragma once
// How the text of one table cell becomes a typed sheet cell. The results table holds only
// empty texts and the number texts that the calculation writes; anything else is kept as text.
#include <string>
#include <string_view>
#include <variant>

namespace arvelle::xls {

struct BlankValue {
  bool operator==(const BlankValue&) const = default;
};

struct NumberValue {
  double value = 0;
  // The text was written in exponent form, so the cell shows it as "0.00E+00".
  bool exponentForm = false;
  bool operator==(const NumberValue&) const = default;
};

struct TextValue {
  std::string text;  // UTF-8, trimmed
  bool operator==(const TextValue&) const = default;
};

using CellValue = std::variant<BlankValue, NumberValue, TextValue>;

// The value rule:
// 1. leading and trailing characters up to the space character (blanks and control
//    characters) are removed;
// 2. an empty text gives a blank cell;
// 3. an optional "-", digits, optionally `decimalSeparator` and digits, optionally "E" or
//    "e", an optional sign and digits gives the nearest double (a value beyond the double
//    range stays text);
// 4. such a number with "E" or "e" after its first character is shown in exponent form.
// The separator is UTF-8 text (one character), as arvelle::SeparatorUtf8 gives it.
CellValue CellValueOfText(std::string_view text, std::string_view decimalSeparator);

}  // namespace arvelle::xls
