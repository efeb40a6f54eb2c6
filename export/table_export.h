#pragma once
// The middle of "Save", without any file: the results table and its look as a workbook
// model, and that model as the bytes of a .xls file.
#include <string>
#include <string_view>

#include "core/string_grid.h"
#include "export/little_endian.h"
#include "export/workbook.h"
#include "export/xls_export.h"

namespace arvelle::xls {

// Sizes of the grid in the sheet's units.
// Width in 1/256 of a character: pixels × 256 ÷ 7, to the nearest, a half to even.
std::uint16_t ColumnWidthOfPixels(int pixels);
// Height in twips: (pixels − 2) × 15, the 2 being the grid's vertical text offset; 0 or
// less gives 0.
std::uint16_t RowHeightOfPixels(int pixels);
// Font size in twentieths of a point: pixels × 72 ÷ pixels per inch × 20, truncated.
std::uint16_t FontHeightOfPixels(int pixels, int pixelsPerInch);

// The block format for a cell: the grid's font, colours and alignment; wrap only when the
// text holds a line feed; "0.00E+00" for a number in exponent form.
CellFormat BlockFormat(const GridLook& look, bool wrap, bool exponentForm);

// The template workbook with the table's value block written into its sheet "Sheet1".
// `decimalSeparator` is UTF-8 text. Throws arvelle::Exception when the table does not fit
// a worksheet.
Workbook WorkbookOfTable(const StringGrid& grid, const GridLook& look,
                         std::string_view decimalSeparator);

// The whole .xls file of a workbook: the "Workbook" stream and the two property-set streams
// in a compound document.
Bytes XlsFileOfWorkbook(const Workbook& workbook);

}  // namespace arvelle::xls
