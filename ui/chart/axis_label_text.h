#pragma once
// The text of one axis label of the hole-position chart, in the number format "#,##0.###":
// the integer part grouped by threes with the thousands separator, then up to three
// decimals after the decimal separator, trailing zeros and a bare separator dropped.
//
//   AxisLabelText(-1500, {'.', ','})     == "-1,500"
//   AxisLabelText(1299.04, {'.', ','})   == "1,299.04"
//   AxisLabelText(0.0004, {'.', ','})    == "0"       (rounded to three decimals)
//   AxisLabelText(-0.0, {'.', ','})      == "0"       (no sign on a zero)
//   AxisLabelText(1234.5, {',', '.'})    == "1.234,5"
#include <QString>

#include "core/format_settings.h"

namespace arvelle {

// Throws std::invalid_argument for a value that is not finite. Rounds to three decimals, a half to
// the even neighbour of the double's exact binary value.
QString AxisLabelText(double value, const FormatSettingsRecord& format);

}  // namespace arvelle
