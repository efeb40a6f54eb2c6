#pragma once
// The BIFF8 "Workbook" stream of a workbook: the globals substream (settings, fonts, number
// formats, cell formats, sheet list, shared strings) followed by one substream per
// worksheet, with every stream position that one record holds of another filled in.
#include <optional>

#include "export/little_endian.h"
#include "export/workbook.h"

namespace arvelle::xls {

Bytes WriteWorkbookStream(const Workbook& workbook);

// The RK form of `value` (an integer or the high 30 bits of the double, each optionally
// divided by 100) when it gives back exactly the same double, else std::nullopt.
std::optional<std::uint32_t> RkOf(double value);
// The double that a reader gets back from an RK value.
double DoubleOfRk(std::uint32_t rk);

}  // namespace arvelle::xls
