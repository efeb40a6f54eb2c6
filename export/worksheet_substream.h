#pragma once
// One worksheet substream: its settings, column widths, the cell table in blocks of rows
// with the INDEX and DBCELL records that lead to them, and its window.
#include "export/biff_stream.h"
#include "export/shared_strings.h"
#include "export/workbook.h"

namespace arvelle::xls {

// Throws arvelle::Exception for a sheet with more rows or columns than BIFF8 holds.
void WriteWorksheet(BiffStream& stream, const Worksheet& sheet, bool active,
                    const SharedStrings& strings);

}  // namespace arvelle::xls
