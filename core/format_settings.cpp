#include "core/format_settings.h"

#include <langinfo.h>
#include <locale.h>

#include <string_view>

namespace arvelle {

std::optional<char16_t> SeparatorFromUtf8(std::string_view utf8) {
  if (utf8.empty()) return std::nullopt;
  const auto b0 = static_cast<unsigned char>(utf8[0]);
  if (utf8.size() == 1 && b0 < 0x80) return static_cast<char16_t>(b0);
  const auto continuation = [&](std::size_t i) {
    return (static_cast<unsigned char>(utf8[i]) & 0xC0) == 0x80;
  };
  if (utf8.size() == 2 && (b0 & 0xE0) == 0xC0 && continuation(1)) {
    const char32_t cp = ((b0 & 0x1Fu) << 6) | (static_cast<unsigned char>(utf8[1]) & 0x3Fu);
    if (cp >= 0x80) return static_cast<char16_t>(cp);
    return std::nullopt;
  }
  if (utf8.size() == 3 && (b0 & 0xF0) == 0xE0 && continuation(1) && continuation(2)) {
    const char32_t cp = ((b0 & 0x0Fu) << 12) |
                        ((static_cast<unsigned char>(utf8[1]) & 0x3Fu) << 6) |
                        (static_cast<unsigned char>(utf8[2]) & 0x3Fu);
    const bool surrogate = cp >= 0xD800 && cp <= 0xDFFF;
    if (cp >= 0x800 && !surrogate) return static_cast<char16_t>(cp);
    return std::nullopt;
  }
  return std::nullopt;  // more than one character, or a character beyond one code unit
}

FormatSettingsRecord FormatSettingsFromUserLocale() {
  FormatSettingsRecord settings;
  // An empty name asks for the user's choice from LC_ALL, LC_NUMERIC and LANG.
  locale_t locale = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(nullptr));
  if (locale == static_cast<locale_t>(nullptr)) return settings;
  settings.DecimalSeparator = SeparatorFromUtf8(nl_langinfo_l(RADIXCHAR, locale)).value_or(u'.');
  settings.ThousandSeparator = SeparatorFromUtf8(nl_langinfo_l(THOUSEP, locale)).value_or(u',');
  freelocale(locale);
  return settings;
}

std::string SeparatorUtf8(char16_t separator) {
  std::string text;
  const char32_t cp = separator;
  if (cp < 0x80) {
    text += static_cast<char>(cp);
  } else if (cp < 0x800) {
    text += static_cast<char>(0xC0 | (cp >> 6));
    text += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    text += static_cast<char>(0xE0 | (cp >> 12));
    text += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (cp & 0x3F));
  }
  return text;
}

}  // namespace arvelle
