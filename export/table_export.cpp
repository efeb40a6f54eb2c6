#include "export/table_export.h"

#include <algorithm>
#include <limits>

#include "core/errors.h"
#include "export/biff_records.h"
#include "export/cell_value.h"
#include "export/compound_file.h"
#include "export/palette.h"
#include "export/property_sets.h"
#include "export/workbook_stream.h"
#include "export/xl_string.h"

namespace arvelle::xls {
namespace {

// numerator ÷ denominator (denominator > 0) to the nearest integer, a half to even.
long long RoundHalfEven(long long numerator, long long denominator) {
  long long quotient = numerator / denominator;
  long long remainder = numerator % denominator;
  if (remainder < 0) {
    remainder += denominator;
    --quotient;
  }
  if (2 * remainder > denominator || (2 * remainder == denominator && quotient % 2 != 0))
    ++quotient;
  return quotient;
}

std::uint16_t ClampToU16(long long value, std::uint16_t limit) {
  return static_cast<std::uint16_t>(std::clamp<long long>(value, 0, limit));
}

HorizontalAlign SheetAlign(GridHorizontalAlign a) {
  switch (a) {
    case GridHorizontalAlign::Centre:
      return HorizontalAlign::Centre;
    case GridHorizontalAlign::Right:
      return HorizontalAlign::Right;
    case GridHorizontalAlign::Left:
      break;
  }
  return HorizontalAlign::Left;
}

VerticalAlign SheetAlign(GridVerticalAlign a) {
  switch (a) {
    case GridVerticalAlign::Centre:
      return VerticalAlign::Centre;
    case GridVerticalAlign::Bottom:
      return VerticalAlign::Bottom;
    case GridVerticalAlign::Top:
      break;
  }
  return VerticalAlign::Top;
}

// The sheet settings that the export writes with the block.
void ApplySheetSettings(Worksheet& sheet) {
  sheet.pageSetup.portrait = true;
  sheet.pageSetup.scalePercent = 100;
  sheet.pageSetup.printerSettingsValid = true;
  sheet.pageSetup.header.clear();
  sheet.pageSetup.footer.clear();
  sheet.showGridlines = true;
  sheet.summaryRowsBelow = false;
  sheet.summaryColumnsRight = false;
}

}  // namespace

std::uint16_t ColumnWidthOfPixels(int pixels) {
  return ClampToU16(RoundHalfEven(static_cast<long long>(pixels) * 256, 7), biff::kMaxColumnWidth);
}

std::uint16_t RowHeightOfPixels(int pixels) {
  return ClampToU16((static_cast<long long>(pixels) - 2) * 15,
                    std::numeric_limits<std::uint16_t>::max());
}

std::uint16_t FontHeightOfPixels(int pixels, int pixelsPerInch) {
  if (pixelsPerInch <= 0) throw Exception("The grid font's pixels per inch must be positive");
  return ClampToU16(static_cast<long long>(pixels) * 72 * 20 / pixelsPerInch,
                    std::numeric_limits<std::uint16_t>::max());
}

CellFormat BlockFormat(const GridLook& look, bool wrap, bool exponentForm) {
  CellFormat format;
  format.font.name = Utf16FromUtf8(look.fontName);
  format.font.heightTwips = FontHeightOfPixels(look.fontHeightPx, look.fontPixelsPerInch);
  format.font.bold = look.bold;
  format.font.italic = look.italic;
  format.font.underline = look.underline;
  format.font.strikeOut = look.strikeOut;
  format.font.colourIndex = ColourIndexOfEntry(NearestPaletteEntry(look.textColourRgb));
  format.numberFormat = exponentForm ? biff::kFormatScientific : biff::kFormatGeneral;
  format.horizontal = SheetAlign(look.horizontal);
  format.vertical = SheetAlign(look.vertical);
  format.wrap = wrap;
  if ((look.backgroundColourRgb & 0xFFFFFF) != 0xFFFFFF)
    format.solidFillColourIndex = ColourIndexOfEntry(NearestPaletteEntry(look.backgroundColourRgb));
  return format;
}

Workbook WorkbookOfTable(const StringGrid& grid, const GridLook& look,
                         std::string_view decimalSeparator) {
  const int rows = grid.RowCount() - 1;
  const int cols = grid.ColCount() - 1;
  if (rows > biff::kMaxRows)
    throw Exception("The table has " + std::to_string(rows) +
                    " rows, but a worksheet holds at most " + std::to_string(biff::kMaxRows));
  if (cols > biff::kMaxColumns)
    throw Exception("The table has " + std::to_string(cols) +
                    " columns, but a worksheet holds at most " + std::to_string(biff::kMaxColumns));
  Workbook workbook;
  Worksheet& sheet = workbook.Sheets().front();
  ApplySheetSettings(sheet);

  for (int r = 1; r <= rows; ++r)
    sheet.rows[r - 1].heightTwips = RowHeightOfPixels(look.RowHeightPx(r));
  for (int c = 1; c <= cols; ++c) {
    const std::uint16_t width = ColumnWidthOfPixels(look.ColumnWidthPx(c));
    if (!sheet.columnWidths.empty() && sheet.columnWidths.back().width == width)
      sheet.columnWidths.back().lastColumn = c - 1;
    else
      sheet.columnWidths.push_back(ColumnWidth{c - 1, c - 1, width});
  }

  const XfIndex plain = workbook.AddCellFormat(BlockFormat(look, false, false));
  for (int r = 1; r <= rows; ++r) {
    Row& row = sheet.rows[r - 1];
    for (int c = 1; c <= cols; ++c) {
      const std::string& text = grid.GetCellEx(c, r);
      Cell& cell = row.cells[c - 1];
      const CellValue value = CellValueOfText(text, decimalSeparator);
      const bool wrap = text.find('\n') != std::string::npos;
      bool exponentForm = false;
      if (const auto* number = std::get_if<NumberValue>(&value)) {
        cell.value = number->value;
        exponentForm = number->exponentForm;
      } else if (const auto* textValue = std::get_if<TextValue>(&value)) {
        cell.value = Utf16FromUtf8(textValue->text);
      }
      cell.xf = (wrap || exponentForm)
                    ? workbook.AddCellFormat(BlockFormat(look, wrap, exponentForm))
                    : plain;
    }
  }
  return workbook;
}

Bytes XlsFileOfWorkbook(const Workbook& workbook) {
  std::vector<CompoundStream> streams;
  streams.push_back({kWorkbookStreamName, WriteWorkbookStream(workbook)});
  streams.push_back({kSummaryInformationName, SummaryInformationStream()});
  streams.push_back({kDocumentSummaryInformationName, DocumentSummaryInformationStream()});
  return BuildCompoundDocument(streams);
}

}  // namespace arvelle::xls
