#include "core/format_settings.h"

#include <gtest/gtest.h>
#include <locale.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace arvelle {
namespace {

TEST(SeparatorFromUtf8, TakesExactlyOneCharacterOfOneCodeUnit) {
  EXPECT_EQ(SeparatorFromUtf8("."), u'.');
  EXPECT_EQ(SeparatorFromUtf8(","), u',');
  EXPECT_EQ(SeparatorFromUtf8("\u066B"), u'\u066B');
  EXPECT_EQ(SeparatorFromUtf8("\u202F"), u'\u202F');
  EXPECT_EQ(SeparatorFromUtf8(""), std::nullopt);
  EXPECT_EQ(SeparatorFromUtf8(".."), std::nullopt);
  EXPECT_EQ(SeparatorFromUtf8("\xF0\x9F\x98\x80"), std::nullopt);  // beyond one code unit
  EXPECT_EQ(SeparatorFromUtf8("\xC3"), std::nullopt);              // cut short
  EXPECT_EQ(SeparatorFromUtf8("\xC0\xAE"), std::nullopt);          // overlong "."
}

TEST(SeparatorUtf8, EncodesBackToTheSameText) {
  for (const char* text : {".", ",", "\u066B", "\u00B7", "\u202F"}) {
    EXPECT_EQ(SeparatorUtf8(*SeparatorFromUtf8(text)), text);
  }
}

// Runs the locale lookup with LC_ALL set to `name`, restoring the environment after.
FormatSettingsRecord SettingsUnder(const char* name) {
  const char* saved = std::getenv("LC_ALL");
  const std::string previous = saved ? saved : "";
  setenv("LC_ALL", name, 1);
  const FormatSettingsRecord settings = FormatSettingsFromUserLocale();
  if (saved) {
    setenv("LC_ALL", previous.c_str(), 1);
  } else {
    unsetenv("LC_ALL");
  }
  return settings;
}

TEST(FormatSettingsFromUserLocale, CLocaleGivesThePoint) {
  EXPECT_EQ(SettingsUnder("C").DecimalSeparator, u'.');
}

TEST(FormatSettingsFromUserLocale, UnknownLocaleFallsBackToThePoint) {
  const FormatSettingsRecord settings = SettingsUnder("xx_NOWHERE.UTF-8");
  EXPECT_EQ(settings.DecimalSeparator, u'.');
  EXPECT_EQ(settings.ThousandSeparator, u',');
}

TEST(FormatSettingsFromUserLocale, GermanLocaleGivesTheComma) {
  locale_t probe = newlocale(LC_NUMERIC_MASK, "de_DE.UTF-8", static_cast<locale_t>(nullptr));
  if (probe == static_cast<locale_t>(nullptr)) GTEST_SKIP() << "de_DE.UTF-8 is not installed";
  freelocale(probe);
  const FormatSettingsRecord settings = SettingsUnder("de_DE.UTF-8");
  EXPECT_EQ(settings.DecimalSeparator, u',');
  EXPECT_EQ(settings.ThousandSeparator, u'.');
}

}  // namespace
}  // namespace arvelle
