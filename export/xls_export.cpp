#include "export/xls_export.h"

#include "core/errors.h"
#include "core/format_settings.h"
#include "export/file_sink.h"
#include "export/table_export.h"
#include "export/xl_string.h"

namespace arvelle {

int GridLook::ColumnWidthPx(int col) const {
  return col >= 0 && col < static_cast<int>(columnWidthsPx.size()) ? columnWidthsPx[col]
                                                                   : defaultColumnWidthPx;
}

int GridLook::RowHeightPx(int row) const {
  return row >= 0 && row < static_cast<int>(rowHeightsPx.size()) ? rowHeightsPx[row]
                                                                 : defaultRowHeightPx;
}

GridLook MainWindowGridLook() { return GridLook{}; }

bool XLSExport(const StringGrid& grid, const GridLook& look, const std::string& fileName,
               const std::string& sheetName, int /*sheetPos*/, int selectSheet,
               InsertInSheet /*insert*/) {
  // A new file has one sheet, so where a sheet would go and how an existing sheet would be
  // written into do not apply yet.
  xls::Workbook workbook =
      xls::WorkbookOfTable(grid, look, SeparatorUtf8(FormatSettings.DecimalSeparator));
  if (!sheetName.empty()) {
    const std::u16string name = xls::Utf16FromUtf8(sheetName);
    if (name.size() > 31)
      throw Exception("The sheet name \"" + sheetName + "\" is longer than 31 characters");
    workbook.Sheets().front().name = name;
  }
  const int sheets = static_cast<int>(workbook.Sheets().size());
  workbook.activeSheet = selectSheet >= 1 && selectSheet <= sheets ? selectSheet - 1 : 0;
  const xls::Bytes file = xls::XlsFileOfWorkbook(workbook);
  xls::WriteNewFile(fileName, file);
  return true;
}

}  // namespace arvelle
