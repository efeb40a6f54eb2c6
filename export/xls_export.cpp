#include "export/xls_export.h"

#include <sys/stat.h>

#include "core/errors.h"
#include "core/format_settings.h"
#include "export/file_replace.h"
#include "export/file_sink.h"
#include "export/sheet_append.h"
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

namespace {

// An existing file (not a folder, which the new-file path reports) gets the table as a new
// sheet. The old file stays as it is until the new one is complete.
bool AppendToExistingFile(const xls::Workbook& table, const std::string& fileName,
                          const std::string& sheetName, int sheetPos, int selectSheet) {
  const xls::Bytes existing = xls::ReadExistingFile(fileName);
  xls::AppendRequest request;
  request.fileName = xls::FullPath(fileName);
  request.table = &table;
  request.sheetName = sheetName;
  request.sheetPos = sheetPos;
  request.selectSheet = selectSheet;
  xls::ReplaceFile(fileName, xls::AppendTableToWorkbook(existing, request));
  return true;
}

bool ExistsAndIsNoFolder(const std::string& fileName) {
  struct stat info {};
  return !fileName.empty() && ::stat(fileName.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

}  // namespace

bool XLSExport(const StringGrid& grid, const GridLook& look, const std::string& fileName,
               const std::string& sheetName, int sheetPos, int selectSheet,
               InsertInSheet /*insert*/) {
  xls::Workbook workbook =
      xls::WorkbookOfTable(grid, look, SeparatorUtf8(FormatSettings.DecimalSeparator));
  if (!sheetName.empty()) {
    const std::u16string name = xls::Utf16FromUtf8(sheetName);
    if (name.size() > 31)
      throw Exception("The sheet name \"" + sheetName + "\" is longer than 31 characters");
    workbook.Sheets().front().name = name;
  }
  // An empty name matches no sheet, so how a named sheet would be written into does not
  // arise: the table always goes onto a sheet of its own.
  if (ExistsAndIsNoFolder(fileName))
    return AppendToExistingFile(workbook, fileName, sheetName, sheetPos, selectSheet);
  const int sheets = static_cast<int>(workbook.Sheets().size());
  workbook.activeSheet = selectSheet >= 1 && selectSheet <= sheets ? selectSheet - 1 : 0;
  const xls::Bytes file = xls::XlsFileOfWorkbook(workbook);
  xls::WriteNewFile(fileName, file);
  return true;
}

}  // namespace arvelle
