#include "export/worksheet_substream.h"

#include <algorithm>

#include "core/errors.h"
#include "export/biff_records.h"
#include "export/common_records.h"
#include "export/rk_number.h"
#include "export/xl_string.h"

namespace arvelle::xls {
namespace {

using namespace biff;

void WriteSheetSettings(BiffStream& stream, const Worksheet& sheet) {
  WriteU16Record(stream, kCalcMode, {1});  // automatic
  WriteU16Record(stream, kCalcCount, {100});
  WriteU16Record(stream, kRefMode, {1});  // A1 references
  WriteU16Record(stream, kIteration, {0});
  {
    Bytes data;
    ByteWriter(data).F64(0.001);
    stream.Write(kDelta, data);
  }
  WriteU16Record(stream, kSaveRecalc, {1});
  WriteU16Record(stream, kPrintHeaders, {0});
  WriteU16Record(stream, kPrintGridlines,
                 {sheet.printGridlines ? std::uint16_t{1} : std::uint16_t{0}});
  WriteU16Record(stream, kGridSet, {1});
  WriteU16Record(stream, kGuts, {0, 0, 0, 0});
  WriteU16Record(stream, kDefaultRowHeight, {0, sheet.defaultRowHeightTwips});
  WriteU16Record(
      stream, kWsBool,
      {static_cast<std::uint16_t>(kWsBoolShowAutoBreaks | kWsBoolShowOutlineSymbols |
                                  (sheet.summaryRowsBelow ? kWsBoolRowSumsBelow : 0) |
                                  (sheet.summaryColumnsRight ? kWsBoolColSumsRight : 0))});
  for (const auto& [id, text] :
       {std::pair{kHeader, &sheet.pageSetup.header}, std::pair{kFooter, &sheet.pageSetup.footer}}) {
    Bytes data;
    if (!text->empty()) {
      ByteWriter out(data);
      WriteLongString(out, *text);
    }
    stream.Write(id, data);  // an empty record: no header or footer
  }
  WriteU16Record(stream, kHCenter, {0});
  WriteU16Record(stream, kVCenter, {0});
  {
    const PageSetup& page = sheet.pageSetup;
    Bytes data;
    ByteWriter out(data);
    out.U16(kPaperA4);
    out.U16(page.scalePercent);
    out.U16(1);  // first page number
    out.U16(1);  // fit to one page wide
    out.U16(1);  // and one page tall, when fitting is on
    out.U16(static_cast<std::uint16_t>((page.portrait ? kSetupPortrait : 0) |
                                       (page.printerSettingsValid ? 0 : kSetupNoPrinterSettings)));
    out.U16(600);  // dots per inch
    out.U16(600);
    out.F64(0.5);  // header margin, inches
    out.F64(0.5);  // footer margin
    out.U16(1);    // copies
    stream.Write(kSetup, data);
  }
}

void WriteColumnWidths(BiffStream& stream, const Worksheet& sheet) {
  for (const ColumnWidth& c : sheet.columnWidths)
    WriteU16Record(stream, kColInfo,
                   {static_cast<std::uint16_t>(c.firstColumn),
                    static_cast<std::uint16_t>(c.lastColumn), c.width, kDefaultCellXf, 0, 0});
}

void WriteCells(BiffStream& stream, int rowIndex, const Row& row, const SharedStrings& strings) {
  const auto rw = static_cast<std::uint16_t>(rowIndex);
  for (auto it = row.cells.begin(); it != row.cells.end();) {
    const Cell& cell = it->second;
    Bytes data;
    ByteWriter out(data);
    out.U16(rw);
    out.U16(static_cast<std::uint16_t>(it->first));
    if (std::holds_alternative<std::monostate>(cell.value)) {
      // A run of blank cells in adjacent columns goes into one MULBLANK.
      auto end = std::next(it);
      int last = it->first;
      while (end != row.cells.end() && end->first == last + 1 &&
             std::holds_alternative<std::monostate>(end->second.value)) {
        last = end->first;
        ++end;
      }
      if (last == it->first) {
        out.U16(cell.xf);
        stream.Write(kBlank, data);
      } else {
        for (auto b = it; b != end; ++b) out.U16(b->second.xf);
        out.U16(static_cast<std::uint16_t>(last));
        stream.Write(kMulBlank, data);
      }
      it = end;
      continue;
    }
    out.U16(cell.xf);
    if (const double* number = std::get_if<double>(&cell.value)) {
      if (const auto rk = RkOf(*number)) {
        out.U32(*rk);
        stream.Write(kRk, data);
      } else {
        out.F64(*number);
        stream.Write(kNumber, data);
      }
    } else {
      out.U32(strings.index.at(std::get<std::u16string>(cell.value)));
      stream.Write(kLabelSst, data);
    }
    ++it;
  }
}

void WriteRowRecord(BiffStream& stream, int rowIndex, const Row& row, std::uint16_t defaultHeight) {
  Bytes data;
  ByteWriter out(data);
  out.U16(static_cast<std::uint16_t>(rowIndex));
  out.U16(row.cells.empty() ? 0 : static_cast<std::uint16_t>(row.cells.begin()->first));
  out.U16(row.cells.empty() ? 0 : static_cast<std::uint16_t>(row.cells.rbegin()->first + 1));
  std::uint32_t flags = kRowReservedOne | (std::uint32_t{kDefaultCellXf} << kRowXfShift);
  std::uint16_t height = defaultHeight;
  if (row.heightTwips) {
    flags |= kRowHeightCustom;
    if (*row.heightTwips == 0)
      flags |= kRowHeightHidden;  // a height of 0 is stored as a hidden row
    else
      height = std::min(*row.heightTwips, kMaxRowHeight);
  }
  out.U16(height);
  out.U16(0);
  out.U16(0);
  out.U32(flags);
  stream.Write(kRow, data);
}

// Writes the rows in blocks of up to 32, each followed by its DBCELL, and returns the
// DBCELL positions.
std::vector<std::size_t> WriteRowBlocks(BiffStream& stream, const Worksheet& sheet,
                                        const SharedStrings& strings) {
  std::vector<std::size_t> dbCells;
  for (auto block = sheet.rows.begin(); block != sheet.rows.end();) {
    const int blockNumber = block->first / kRowsPerBlock;
    auto end = block;
    while (end != sheet.rows.end() && end->first / kRowsPerBlock == blockNumber) ++end;
    const std::size_t firstRow = stream.Position();
    for (auto r = block; r != end; ++r)
      WriteRowRecord(stream, r->first, r->second, sheet.defaultRowHeightTwips);
    std::vector<std::size_t> firstCells;
    for (auto r = block; r != end; ++r) {
      firstCells.push_back(stream.Position());
      WriteCells(stream, r->first, r->second, strings);
    }
    const std::size_t dbCell = stream.Position();
    Bytes data;
    ByteWriter out(data);
    out.U32(static_cast<std::uint32_t>(dbCell - firstRow));
    std::size_t from = firstRow + kRecordHeaderSize + kRowDataSize;  // the second ROW record
    for (std::size_t first : firstCells) {
      out.U16(static_cast<std::uint16_t>(first - from));
      from = first;
    }
    stream.Write(kDbCell, data);
    dbCells.push_back(dbCell);
    block = end;
  }
  return dbCells;
}

void WriteWindow2AndSelection(BiffStream& stream, const Worksheet& sheet, bool active) {
  std::uint16_t flags = kWindow2ShowZeros | kWindow2DefaultGridColour | kWindow2ShowOutline;
  if (sheet.showGridlines) flags |= kWindow2ShowGridlines;
  if (sheet.showHeadings) flags |= kWindow2ShowHeadings;
  if (active) flags |= kWindow2Selected | kWindow2Active;
  WriteU16Record(stream, kWindow2, {flags, 0, 0, kColourSystemForeground, 0, 0, 0, 0, 0});
  Bytes data;
  ByteWriter out(data);
  out.U8(kPaneTopLeft);
  out.U16(0);  // active cell A1
  out.U16(0);
  out.U16(0);
  out.U16(1);  // one selected range, A1:A1
  out.U16(0);
  out.U16(0);
  out.U8(0);
  out.U8(0);
  stream.Write(kSelection, data);
}

}  // namespace

void WriteWorksheet(BiffStream& stream, const Worksheet& sheet, bool active,
                    const SharedStrings& strings) {
  if (!sheet.rows.empty() && sheet.rows.rbegin()->first >= kMaxRows)
    throw Exception("A worksheet holds at most 65536 rows");
  int firstCol = kMaxColumns, lastCol = -1;
  for (const auto& [r, row] : sheet.rows)
    if (!row.cells.empty()) {
      firstCol = std::min(firstCol, row.cells.begin()->first);
      lastCol = std::max(lastCol, row.cells.rbegin()->first);
    }
  if (lastCol >= kMaxColumns) throw Exception("A worksheet holds at most 256 columns");
  const std::uint32_t firstRow =
      sheet.rows.empty() ? 0 : static_cast<std::uint32_t>(sheet.rows.begin()->first);
  const std::uint32_t endRow =
      sheet.rows.empty() ? 0 : static_cast<std::uint32_t>(sheet.rows.rbegin()->first + 1);

  WriteBof(stream, kBofWorksheet);
  std::size_t blockCount = 0;
  for (auto it = sheet.rows.begin(); it != sheet.rows.end(); ++it)
    if (it == sheet.rows.begin() ||
        std::prev(it)->first / kRowsPerBlock != it->first / kRowsPerBlock)
      ++blockCount;
  Bytes index;
  {
    ByteWriter out(index);
    out.U32(0);
    out.U32(firstRow);
    out.U32(endRow);
    out.U32(0);  // DEFCOLWIDTH's position, filled in below
    out.Zeros(4 * blockCount);
  }
  const std::size_t indexData = stream.Write(kIndex, index) + kRecordHeaderSize;
  WriteSheetSettings(stream, sheet);
  PatchU32(stream.Data(), indexData + kIndexDefColWidthPos,
           static_cast<std::uint32_t>(stream.Position()));
  WriteU16Record(stream, kDefColWidth, {sheet.defaultColumnWidth});
  WriteColumnWidths(stream, sheet);
  {
    Bytes data;
    ByteWriter out(data);
    out.U32(firstRow);
    out.U32(endRow);
    out.U16(static_cast<std::uint16_t>(lastCol < 0 ? 0 : firstCol));
    out.U16(static_cast<std::uint16_t>(lastCol + 1));
    out.U16(0);
    stream.Write(kDimensions, data);
  }
  const std::vector<std::size_t> dbCells = WriteRowBlocks(stream, sheet, strings);
  for (std::size_t i = 0; i < dbCells.size(); ++i)
    PatchU32(stream.Data(), indexData + kIndexFirstDbCellPos + 4 * i,
             static_cast<std::uint32_t>(dbCells[i]));
  WriteWindow2AndSelection(stream, sheet, active);
  stream.Write(kEof);
}

}  // namespace arvelle::xls
