#include "export/workbook_stream.h"

#include "core/errors.h"
#include "export/biff_stream.h"
#include "export/globals_substream.h"
#include "export/shared_strings.h"
#include "export/worksheet_substream.h"

namespace arvelle::xls {

Bytes WriteWorkbookStream(const Workbook& workbook) {
  if (workbook.Sheets().empty()) throw Exception("A workbook needs at least one sheet");
  const SharedStrings strings(workbook);
  BiffStream stream;
  const std::vector<std::size_t> plyPositions = WriteGlobals(stream, workbook, strings);
  for (std::size_t i = 0; i < workbook.Sheets().size(); ++i) {
    PatchU32(stream.Data(), plyPositions[i], static_cast<std::uint32_t>(stream.Position()));
    WriteWorksheet(stream, workbook.Sheets()[i], static_cast<int>(i) == workbook.activeSheet,
                   strings);
  }
  return std::move(stream.Data());
}

}  // namespace arvelle::xls
