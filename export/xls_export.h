#pragma once
// "Save": the results table's value block into a new Excel 97-2003 workbook (.xls).
//
// Grid rows 1 to RowCount() - 1 and grid columns 1 to 6 go to sheet cells A1:F..., every
// cell written, the empty ones as blank cells that carry the block format. Number texts
// (with the decimal separator of arvelle::FormatSettings) become numbers; the look of the
// cells, the column widths and the row heights follow the grid's look.
#include <cstdint>
#include <string>
#include <vector>

#include "core/string_grid.h"

namespace arvelle {

enum class GridHorizontalAlign { Left, Centre, Right };
enum class GridVerticalAlign { Top, Centre, Bottom };

// The look of the results table, as plain data from the window that shows it.
struct GridLook {
  // Per grid column, from column 0; a column past the end has defaultColumnWidthPx.
  std::vector<int> columnWidthsPx;
  int defaultColumnWidthPx = 80;
  // Per grid row, from row 0; a row past the end has defaultRowHeightPx.
  std::vector<int> rowHeightsPx;
  int defaultRowHeightPx = 22;

  std::string fontName = "Tahoma";  // UTF-8
  int fontHeightPx = 11;
  int fontPixelsPerInch = 96;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;

  std::uint32_t textColourRgb = 0x000000;        // 0xRRGGBB
  std::uint32_t backgroundColourRgb = 0xFFFFFF;  // pure white means no fill
  GridHorizontalAlign horizontal = GridHorizontalAlign::Left;
  GridVerticalAlign vertical = GridVerticalAlign::Top;

  int ColumnWidthPx(int col) const;
  int RowHeightPx(int row) const;
};

// The main window's look of the results table: 80-pixel columns, 22-pixel rows, "Tahoma"
// 11 px at 96 pixels per inch, black text on white, left and top aligned.
GridLook MainWindowGridLook();

// How to write into an existing sheet that bears the sheet name: Clear empties it first.
// The table always goes onto a sheet of its own (a new file's, or one added to an existing
// workbook), so there is no existing sheet to write into yet.
enum class InsertInSheet { Clear };

// Writes the value block of `grid` into a new workbook at `fileName` and returns true. When a
// file exists there, it is read as a workbook and the block goes onto a new sheet after its
// last sheet, named "Sheet" or "Sheet" and the smallest free number from 1; everything else
// in the workbook is carried over. `sheetName` "" names no sheet (else it names the new
// sheet), `sheetPos` -1 appends, `selectSheet` (from 1) is the sheet active when the file is
// opened; "Save" passes "", -1, 1, InsertInSheet::Clear.
//
// Throws arvelle::Exception with the message for the user:
// - "Cannot create file "%s". %s" (the full path, the system's error text) when the file
//   cannot be created;
// - for an existing file, which is then left exactly as it was:
//   "Cannot open file "%s". %s" when it cannot be read;
//   "The file "%s" is invalid" when it is a compound document without a "Workbook" stream,
//   and "The file "" is invalid" when it is no compound document at all;
//   a message saying why for a workbook that cannot be carried over completely (encrypted,
//   protected, damaged, full font or cell-format tables);
//   "Can't write to file "%s". Check it is not in use by another user" when the file is
//   read-only or its folder does not allow it to be replaced;
//   "Cannot write to file "%s". %s" when writing the new content fails. The new content is
//   written beside the old file and replaces it only when complete;
// - when the grid has more rows than a worksheet (65536 below the header row);
// - "Cannot write to file "%s". %s" when writing fails; the partly written file is deleted.
bool XLSExport(const StringGrid& grid, const GridLook& look, const std::string& fileName,
               const std::string& sheetName, int sheetPos, int selectSheet, InsertInSheet insert);

}  // namespace arvelle
