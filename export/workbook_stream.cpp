#include "export/workbook_stream.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <unordered_map>

#include "core/errors.h"
#include "export/biff_records.h"
#include "export/biff_stream.h"
#include "export/xl_string.h"

namespace arvelle::xls {
namespace {

using namespace biff;

// Records of a few fixed 16-bit fields.
void WriteU16Record(BiffStream& stream, std::uint16_t id,
                    std::initializer_list<std::uint16_t> fields) {
  Bytes data;
  ByteWriter out(data);
  for (std::uint16_t f : fields) out.U16(f);
  stream.Write(id, data);
}

void WriteBof(BiffStream& stream, std::uint16_t substreamType) {
  Bytes data;
  ByteWriter out(data);
  out.U16(kBiff8Version);
  out.U16(substreamType);
  out.U16(kBofBuild);
  out.U16(kBofYear);
  out.U32(kBofHistoryFlags);
  out.U32(kBofLowestVersion);
  stream.Write(kBof, data);
}

// The shared string table: each distinct text once, in order of first use.
struct SharedStrings {
  std::vector<const std::u16string*> unique;
  std::unordered_map<std::u16string, std::uint32_t> index;
  std::uint32_t references = 0;

  explicit SharedStrings(const Workbook& workbook) {
    for (const Worksheet& sheet : workbook.Sheets())
      for (const auto& [r, row] : sheet.rows)
        for (const auto& [c, cell] : row.cells)
          if (const auto* text = std::get_if<std::u16string>(&cell.value)) {
            ++references;
            const auto [it, added] =
                index.try_emplace(*text, static_cast<std::uint32_t>(unique.size()));
            if (added) unique.push_back(&it->first);
          }
  }
};

// The fonts of the cell formats, each once; the first is referenced as kFirstUserFont.
std::vector<Font> UserFonts(const Workbook& workbook) {
  std::vector<Font> fonts;
  for (const CellFormat& format : workbook.CellFormats())
    if (std::find(fonts.begin(), fonts.end(), format.font) == fonts.end())
      fonts.push_back(format.font);
  return fonts;
}

std::uint16_t FontReference(const std::vector<Font>& fonts, const Font& font) {
  const auto at = std::find(fonts.begin(), fonts.end(), font) - fonts.begin();
  return static_cast<std::uint16_t>(kFirstUserFont + at);
}

void WriteFont(BiffStream& stream, const Font& font) {
  Bytes data;
  ByteWriter out(data);
  out.U16(font.heightTwips);
  out.U16(static_cast<std::uint16_t>((font.italic ? kFontItalic : 0) |
                                     (font.strikeOut ? kFontStrikeOut : 0)));
  out.U16(font.colourIndex);
  out.U16(font.bold ? kFontWeightBold : kFontWeightNormal);
  out.U16(0);  // neither superscript nor subscript
  out.U8(font.underline ? kFontUnderlineSingle : 0);
  out.U8(0);  // family not given
  out.U8(0);  // ANSI character set
  out.U8(0);
  WriteShortString(out, font.name);
  stream.Write(kFont, data);
}

void WriteFonts(BiffStream& stream, const std::vector<Font>& userFonts) {
  for (int variant = 0; variant < kDefaultFontCount; ++variant) {
    Font font = DefaultFont();
    font.bold = (variant & 1) != 0;
    font.italic = (variant & 2) != 0;
    WriteFont(stream, font);
  }
  for (const Font& font : userFonts) WriteFont(stream, font);
}

// The currency and accounting formats that every workbook carries beside the built-in ones.
void WriteNumberFormats(BiffStream& stream) {
  static const std::pair<std::uint16_t, std::u16string_view> kFormats[] = {
      {5, u"\"$\"#,##0_);\\(\"$\"#,##0\\)"},
      {6, u"\"$\"#,##0_);[Red]\\(\"$\"#,##0\\)"},
      {7, u"\"$\"#,##0.00_);\\(\"$\"#,##0.00\\)"},
      {8, u"\"$\"#,##0.00_);[Red]\\(\"$\"#,##0.00\\)"},
      {42, u"_(\"$\"* #,##0_);_(\"$\"* \\(#,##0\\);_(\"$\"* \"-\"_);_(@_)"},
      {41, u"_(* #,##0_);_(* \\(#,##0\\);_(* \"-\"_);_(@_)"},
      {44, u"_(\"$\"* #,##0.00_);_(\"$\"* \\(#,##0.00\\);_(\"$\"* \"-\"??_);_(@_)"},
      {43, u"_(* #,##0.00_);_(* \\(#,##0.00\\);_(* \"-\"??_);_(@_)"},
  };
  for (const auto& [number, text] : kFormats) {
    Bytes data;
    ByteWriter out(data);
    out.U16(number);
    WriteLongString(out, text);
    stream.Write(kFormat, data);
  }
}

struct XfFields {
  std::uint16_t font = 0;
  std::uint16_t numberFormat = kFormatGeneral;
  std::uint16_t protectionAndParent = 0;
  std::uint8_t alignment = kAlignBottom << kXfVerticalShift;
  std::uint8_t used = 0;
  std::optional<std::uint16_t> solidFill;
};

void WriteXf(BiffStream& stream, const XfFields& xf) {
  Bytes data;
  ByteWriter out(data);
  out.U16(xf.font);
  out.U16(xf.numberFormat);
  out.U16(xf.protectionAndParent);
  out.U8(xf.alignment);
  out.U8(0);  // no rotation
  out.U8(0);  // no indent, context reading order
  out.U8(xf.used);
  out.U32(0);  // no borders
  out.U32(xf.solidFill ? kXfSolidFill << kXfFillPatternShift : 0);
  const std::uint16_t fore = xf.solidFill.value_or(kColourSystemForeground);
  out.U16(static_cast<std::uint16_t>(fore | (kColourSystemBackground << kXfBackColourShift)));
  stream.Write(kXf, data);
}

std::uint8_t AlignmentCode(HorizontalAlign a) {
  switch (a) {
    case HorizontalAlign::Left:
      return kAlignLeft;
    case HorizontalAlign::Centre:
      return kAlignCentre;
    case HorizontalAlign::Right:
      return kAlignRight;
    case HorizontalAlign::General:
      break;
  }
  return kAlignGeneral;
}

std::uint8_t AlignmentCode(VerticalAlign a) {
  switch (a) {
    case VerticalAlign::Top:
      return kAlignTop;
    case VerticalAlign::Centre:
      return kAlignMiddle;
    case VerticalAlign::Bottom:
      break;
  }
  return kAlignBottom;
}

void WriteCellFormats(BiffStream& stream, const Workbook& workbook,
                      const std::vector<Font>& userFonts) {
  const std::uint16_t styleFlags = kXfLocked | kXfStyle | (kXfNoParent << kXfParentShift);
  XfFields normal;
  normal.protectionAndParent = styleFlags;
  WriteXf(stream, normal);
  for (int level = 1; level < kStyleXfCount; ++level) {
    // The row and column outline-level styles; the first use the bold and italic fonts.
    XfFields outline = normal;
    outline.font = level <= 2 ? 1 : level <= 4 ? 2 : 0;
    outline.used = kXfStyleLeavesAll;
    WriteXf(stream, outline);
  }
  XfFields defaultCell;
  defaultCell.protectionAndParent = kXfLocked;  // parent: the Normal style
  WriteXf(stream, defaultCell);
  for (const CellFormat& format : workbook.CellFormats()) {
    XfFields xf;
    xf.font = FontReference(userFonts, format.font);
    xf.numberFormat = format.numberFormat;
    xf.protectionAndParent = format.locked ? kXfLocked : 0;  // parent: the Normal style
    xf.alignment =
        static_cast<std::uint8_t>(AlignmentCode(format.horizontal) | (format.wrap ? kXfWrap : 0) |
                                  (AlignmentCode(format.vertical) << kXfVerticalShift));
    xf.used = kXfUsedFont | kXfUsedAlignment;
    if (format.numberFormat != kFormatGeneral) xf.used |= kXfUsedNumberFormat;
    if (format.solidFillColourIndex) xf.used |= kXfUsedFill;
    if (!format.locked) xf.used |= kXfUsedProtection;
    xf.solidFill = format.solidFillColourIndex;
    WriteXf(stream, xf);
  }
}

void WriteWindow1(BiffStream& stream, const Workbook& workbook) {
  WriteU16Record(stream, kWindow1,
                 {360, 270, 14940, 9150, kWindow1ShowScrollBarsAndTabs,
                  static_cast<std::uint16_t>(workbook.activeSheet), 0, 1, 600});
}

// Writes the BOUNDSHEET records and returns the position of each one's lbPlyPos field.
std::vector<std::size_t> WriteSheetList(BiffStream& stream, const Workbook& workbook) {
  std::vector<std::size_t> plyPositions;
  for (const Worksheet& sheet : workbook.Sheets()) {
    Bytes data;
    ByteWriter out(data);
    out.U32(0);  // the sheet's BOF position, known once the sheet is written
    out.U8(0);   // visible
    out.U8(0);   // worksheet
    WriteShortString(out, sheet.name);
    plyPositions.push_back(stream.Write(kBoundSheet, data) + kRecordHeaderSize + kBoundSheetPlyPos);
  }
  return plyPositions;
}

void WriteSharedStrings(BiffStream& stream, const SharedStrings& strings) {
  const std::size_t count = strings.unique.size();
  const std::size_t perBucket = std::max<std::size_t>(count / 128 + 1, 8);
  std::vector<ContinuedRecord::Place> bucketStarts;
  {
    ContinuedRecord sst(stream, kSst);
    Bytes counts;
    ByteWriter(counts).U32(strings.references);
    ByteWriter(counts).U32(static_cast<std::uint32_t>(count));
    sst.AppendWhole(counts);
    for (std::size_t i = 0; i < count; ++i) {
      const std::u16string& text = *strings.unique[i];
      const bool wide = !FitsCompressed(text);
      Bytes header;
      ByteWriter out(header);
      out.U16(static_cast<std::uint16_t>(text.size()));
      out.U8(wide ? 0x01 : 0x00);
      const auto place = sst.AppendWhole(header, text.empty() ? 0 : (wide ? 2 : 1));
      if (i % perBucket == 0) bucketStarts.push_back(place);
      sst.AppendCharacters(text, wide);
    }
    sst.Finish();
  }
  Bytes data;
  ByteWriter out(data);
  out.U16(static_cast<std::uint16_t>(perBucket));
  for (const auto& place : bucketStarts) {
    out.U32(static_cast<std::uint32_t>(place.streamPosition));
    out.U16(static_cast<std::uint16_t>(place.offsetInRecord));
    out.U16(0);
  }
  stream.Write(kExtSst, data);
}

std::vector<std::size_t> WriteGlobals(BiffStream& stream, const Workbook& workbook,
                                      const SharedStrings& strings) {
  const std::vector<Font> userFonts = UserFonts(workbook);
  WriteBof(stream, kBofGlobals);
  WriteU16Record(stream, kInterfaceHdr, {kCodePageUtf16});
  WriteU16Record(stream, kMms, {0});
  stream.Write(kInterfaceEnd);
  {
    Bytes data;
    ByteWriter out(data);
    WriteLongString(out, u"Arvelle");
    data.resize(112, ' ');  // the user name field is padded with spaces
    stream.Write(kWriteAccess, data);
  }
  WriteU16Record(stream, kCodePage, {kCodePageUtf16});
  WriteU16Record(stream, kDsf, {0});
  {
    Bytes data;
    for (std::size_t i = 0; i < workbook.Sheets().size(); ++i)
      ByteWriter(data).U16(static_cast<std::uint16_t>(i + 1));
    stream.Write(kTabId, data);
  }
  for (std::uint16_t id : {kWindowProtect, kProtect, kPassword, kProt4Rev, kProt4RevPass})
    WriteU16Record(stream, id, {0});
  WriteWindow1(stream, workbook);
  WriteU16Record(stream, kBackup, {0});
  WriteU16Record(stream, kHideObj, {0});
  WriteU16Record(stream, kDate1904, {0});   // the 1900 date system
  WriteU16Record(stream, kPrecision, {1});  // full precision, not as displayed
  WriteU16Record(stream, kRefreshAll, {0});
  WriteU16Record(stream, kBookBool, {0});
  WriteFonts(stream, userFonts);
  WriteNumberFormats(stream);
  WriteCellFormats(stream, workbook, userFonts);
  WriteU16Record(stream, kStyle, {0x8000, 0xFF00});  // built-in style Normal on XF 0
  WriteU16Record(stream, kUsesElfs, {0});
  std::vector<std::size_t> plyPositions = WriteSheetList(stream, workbook);
  WriteU16Record(stream, kCountry, {1, 1});
  WriteSharedStrings(stream, strings);
  stream.Write(kEof);
  return plyPositions;
}

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

}  // namespace

std::optional<std::uint32_t> RkOf(double value) {
  for (const bool hundredths : {false, true}) {
    // value × 100 is rarely exact (1060.66 × 100 is 106066.00000000001), so the integer
    // nearest to it is tried and kept only when a reader's division gives value back.
    const double scaled = hundredths ? value * 100 : value;
    const std::uint32_t divFlag = hundredths ? 1 : 0;
    const double integer = std::nearbyint(scaled);
    if (integer >= -536870912.0 && integer <= 536870911.0) {
      const std::uint32_t rk =
          (static_cast<std::uint32_t>(static_cast<std::int32_t>(integer)) << 2) | 2 | divFlag;
      if (std::bit_cast<std::uint64_t>(DoubleOfRk(rk)) == std::bit_cast<std::uint64_t>(value))
        return rk;
    }
    const auto bits = std::bit_cast<std::uint64_t>(scaled);
    if ((bits & 0x3FFFFFFFFull) == 0) {
      const std::uint32_t rk = static_cast<std::uint32_t>(bits >> 32) | divFlag;
      if (std::bit_cast<std::uint64_t>(DoubleOfRk(rk)) == std::bit_cast<std::uint64_t>(value))
        return rk;
    }
  }
  return std::nullopt;
}

double DoubleOfRk(std::uint32_t rk) {
  double value = (rk & 2) != 0 ? static_cast<double>(static_cast<std::int32_t>(rk) >> 2)
                               : std::bit_cast<double>(static_cast<std::uint64_t>(rk & ~3u) << 32);
  if ((rk & 1) != 0) value /= 100;
  return value;
}

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
