// Any 8 bytes as a double: its text must read back to a value whose own text is the
// same, so the 15 digits survive the round trip, under both separators. The one
// exception is the top of the range: the 15-digit text of a double within a few units of
// the largest double rounds up beyond it, so storing it back overflows, as it must.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>

#include "core/errors.h"
#include "core/format_settings.h"
#include "core/number_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 8) return 0;
  double value;
  std::memcpy(&value, data, sizeof value);
  for (const char16_t separator : {u'.', u','}) {
    arvelle::FormatSettings.DecimalSeparator = separator;
    const std::string text = arvelle::NumberToCellText(value);
    if (!std::isfinite(value)) continue;
    const arvelle::Extended read = arvelle::CellTextToNumber(text);
    if (std::fabs(read.Value()) > std::numeric_limits<double>::max()) {
      try {
        (void)read.ToDouble();
      } catch (const arvelle::EOverflow&) {
        continue;
      }
    }
    const double back = read.ToDouble();
    if (arvelle::NumberToCellText(back) != text) __builtin_trap();
    if (std::signbit(back) != std::signbit(value) && value != 0) __builtin_trap();
  }
  return 0;
}
