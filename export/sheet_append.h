#pragma once
// "Save" into an existing workbook: the workbook read from its file's bytes, the table's
// sheet added after its last sheet, and everything else carried over byte for byte except
// the fields that must follow the added records (stream positions, the sheet list and its
// ids, the active sheet, the fonts and cell formats of the new sheet). No file is touched
// here; the caller reads the old file and replaces it.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "export/little_endian.h"
#include "export/workbook.h"

namespace arvelle::xls {

// "Sheet" when no sheet bears that name, else "Sheet" and the smallest number from 1 up that
// gives a name no sheet bears. Names are compared exactly; a candidate that equals an
// existing name in all but letter case is passed over too, since spreadsheet programs hold
// such names to be the same.
std::u16string NameOfAddedSheet(const std::vector<std::u16string>& existingNames);

struct AppendRequest {
  std::string fileName;  // the full path, for the messages
  // The table's workbook as WorkbookOfTable makes it: one sheet, its formats.
  const Workbook* table = nullptr;
  std::string sheetName;  // UTF-8; empty: the added sheet is named by NameOfAddedSheet
  // Where the sheet goes: -1 or any value outside 1 .. the number of sheets appends it. A
  // position among the sheets is refused: it would renumber the sheets that names,
  // references and formulas of the workbook point at.
  int sheetPos = -1;
  int selectSheet = 1;  // the sheet, from 1, active when the file is opened
};

// The bytes of the new file: `existingFile` with the table's sheet added. Throws
// arvelle::Exception with the message for the user:
// - "The file "" is invalid" when the bytes are not a compound document at all;
// - "The file "%s" is invalid" for a damaged compound document or one without a "Workbook"
//   stream (a BIFF5 workbook's stream is "Book");
// - a message saying why for a workbook that cannot be carried over completely: encrypted or
//   protected, damaged records, full font or cell-format tables.
Bytes AppendTableToWorkbook(std::span<const std::uint8_t> existingFile,
                            const AppendRequest& request);

}  // namespace arvelle::xls
