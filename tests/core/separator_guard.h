#pragma once
// Sets the decimal separator for one test and puts the previous one back.
#include "core/format_settings.h"

namespace arvelle::test {

class SeparatorGuard {
 public:
  explicit SeparatorGuard(char16_t decimal, char16_t thousands = u',') : saved_(FormatSettings) {
    FormatSettings.DecimalSeparator = decimal;
    FormatSettings.ThousandSeparator = thousands;
  }
  ~SeparatorGuard() { FormatSettings = saved_; }
  SeparatorGuard(const SeparatorGuard&) = delete;
  SeparatorGuard& operator=(const SeparatorGuard&) = delete;

 private:
  FormatSettingsRecord saved_;
};

}  // namespace arvelle::test
