#pragma once
// The BIFF8 "Workbook" stream of a workbook: the globals substream (settings, fonts, number
// formats, cell formats, sheet list, shared strings) followed by one substream per
// worksheet, with every stream position that one record holds of another filled in.
#include "export/little_endian.h"
#include "export/workbook.h"

namespace arvelle::xls {

Bytes WriteWorkbookStream(const Workbook& workbook);

}  // namespace arvelle::xls
