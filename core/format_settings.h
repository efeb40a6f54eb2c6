#pragma once
// The process-wide number format settings. The core only holds them: the program's
// start-up fills them from the user's locale, and every conversion reads them at the
// moment it is called.
#include <optional>
#include <string>
#include <string_view>

namespace arvelle {

struct FormatSettingsRecord {
  // The only decimal separator that number texts are written and read with.
  char16_t DecimalSeparator = u'.';
  // Ignored by the grid's reading of cells; used for axis labels.
  char16_t ThousandSeparator = u',';
};

inline FormatSettingsRecord FormatSettings;

// The settings of the user's locale, taken the POSIX way (LC_ALL, then LC_NUMERIC, then
// LANG). A separator that is not exactly one UTF-16 code unit, or a locale that cannot be
// loaded, gives the default ("." and ",").
FormatSettingsRecord FormatSettingsFromUserLocale();

// The separator that a UTF-8 text of exactly one character stands for, or nullopt when
// the text is empty, longer, malformed or a character beyond one UTF-16 code unit.
std::optional<char16_t> SeparatorFromUtf8(std::string_view utf8);

// A separator as UTF-8 text, for building and matching number texts.
std::string SeparatorUtf8(char16_t separator);

}  // namespace arvelle
