// Any bytes read as a cell text, under either decimal separator: a value or
// EConvertError, never anything else, never undefined behaviour.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/errors.h"
#include "core/format_settings.h"
#include "core/number_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  arvelle::FormatSettings.DecimalSeparator = (data[0] & 1) != 0 ? u',' : u'.';
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  try {
    const arvelle::Extended value = arvelle::CellTextToNumber(text);
    if (value.IsNaN()) __builtin_trap();  // no text reads as NaN
    try {
      (void)value.ToDouble();
    } catch (const arvelle::EOverflow&) {
      // A valid text beyond the double range overflows where it is stored.
    }
  } catch (const arvelle::EConvertError&) {
  }
  return 0;
}
