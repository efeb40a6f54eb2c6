// The Workbook stream as a whole: record order, the settings records, and every stream
// position that one record holds of another (no reader checks INDEX, DBCELL or EXTSST, so
// these tests are the only guard on them).
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <map>

#include "core/string_grid.h"
#include "export/biff_records.h"
#include "export/table_export.h"
#include "export/workbook_stream.h"
#include "export/xl_string.h"
#include "record_walk.h"

namespace arvelle::xls {
namespace {

using namespace biff;
using test::Record;
using test::Records;

struct Walk {
  Bytes stream;
  std::vector<Record> records;
  std::map<std::size_t, std::size_t> byPosition;  // record position -> index

  explicit Walk(const Workbook& workbook)
      : stream(WriteWorkbookStream(workbook)), records(Records(stream)) {
    for (std::size_t i = 0; i < records.size(); ++i) byPosition[records[i].position] = i;
  }
  const Record& At(std::size_t position) const {
    const auto it = byPosition.find(position);
    if (it == byPosition.end())
      throw std::runtime_error("no record starts at " + std::to_string(position));
    return records[it->second];
  }
  std::vector<const Record*> All(std::uint16_t id) const {
    std::vector<const Record*> found;
    for (const Record& r : records)
      if (r.id == id) found.push_back(&r);
    return found;
  }
  const Record& One(std::uint16_t id) const {
    const auto found = All(id);
    if (found.size() != 1) throw std::runtime_error("expected one record " + std::to_string(id));
    return *found.front();
  }
};

StringGrid CalculatedLookingTable(int rows) {
  StringGrid grid(7, rows + 1);
  for (int r = 1; r <= rows && r <= 4; ++r)
    for (int c = 1; c <= 6; ++c) grid.SetCellEx(c, r, std::to_string(r * 100 + c) + ".25");
  return grid;
}

std::vector<std::uint16_t> Ids(const std::vector<Record>& records, std::size_t from,
                               std::size_t to) {
  std::vector<std::uint16_t> ids;
  for (std::size_t i = from; i < to; ++i) ids.push_back(records[i].id);
  return ids;
}

TEST(WorkbookStream, WritesTheGlobalsInTheirOrder) {
  const Walk walk(WorkbookOfTable(CalculatedLookingTable(99), MainWindowGridLook(), "."));
  const auto eof = std::find_if(walk.records.begin(), walk.records.end(),
                                [](const Record& r) { return r.id == kEof; });
  std::vector<std::uint16_t> ids =
      Ids(walk.records, 0, static_cast<std::size_t>(eof - walk.records.begin()) + 1);
  // Collapse the repeated records to one each, to compare the order.
  ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
  const std::vector<std::uint16_t> expected = {
      kBof,          kInterfaceHdr, kMms,           kInterfaceEnd, kWriteAccess, kCodePage,
      kDsf,          kTabId,        kWindowProtect, kProtect,      kPassword,    kProt4Rev,
      kProt4RevPass, kWindow1,      kBackup,        kHideObj,      kDate1904,    kPrecision,
      kRefreshAll,   kBookBool,     kFont,          kFormat,       kXf,          kStyle,
      kUsesElfs,     kBoundSheet,   kCountry,       kSst,          kExtSst,      kEof};
  EXPECT_EQ(ids, expected);
  EXPECT_EQ(walk.All(kFont).size(), 5u);
  EXPECT_EQ(walk.All(kFormat).size(), 8u);
  EXPECT_EQ(walk.All(kXf).size(), 17u);  // 15 style XFs, the default cell XF, the block format
  EXPECT_EQ(walk.One(kCodePage).U16(0), 1200);
  EXPECT_EQ(walk.One(kDate1904).U16(0), 0);
  EXPECT_EQ(walk.One(kWriteAccess).data.size(), 112u);
  const Record& window1 = walk.One(kWindow1);
  EXPECT_EQ(window1.U16(10), 0);  // the first sheet shown
  EXPECT_EQ(window1.U16(14), 1);  // and selected

  const Record& bof = walk.records.front();
  EXPECT_EQ(bof.U16(0), kBiff8Version);
  EXPECT_EQ(bof.U16(2), kBofGlobals);
}

TEST(WorkbookStream, WritesTheTemplateFontsAndTheBlockFormat) {
  const Walk walk(WorkbookOfTable(CalculatedLookingTable(99), MainWindowGridLook(), "."));
  const auto fonts = walk.All(kFont);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(fonts[i]->U16(0), 200) << i;     // 10 pt
    EXPECT_EQ(fonts[i]->U16(4), 0x7FFF) << i;  // automatic colour
  }
  EXPECT_EQ(fonts[0]->U16(6), 400);
  EXPECT_EQ(fonts[1]->U16(6), 700);
  EXPECT_EQ(fonts[2]->U16(2), kFontItalic);
  const auto name = [](const Record& font) {
    return std::string(font.data.begin() + 16, font.data.begin() + 16 + font.data[14]);
  };
  EXPECT_EQ(name(*fonts[0]), "Arial");
  EXPECT_EQ(name(*fonts[4]), "Tahoma");
  EXPECT_EQ(fonts[4]->U16(0), 165);
  EXPECT_EQ(fonts[4]->U16(4), 8);

  const auto xfs = walk.All(kXf);
  EXPECT_EQ(xfs[0]->U16(4), 0xFFF5);   // Normal: a locked style XF without parent
  EXPECT_EQ(xfs[0]->U16(0), 0);        // in the default font
  EXPECT_EQ(xfs[15]->U16(4), 0x0001);  // the default cell XF, locked, child of Normal
  EXPECT_EQ(xfs[15]->data[6], 0x20);   // bottom-aligned
  const Record& block = *xfs[16];
  EXPECT_EQ(block.U16(0), 5);  // the fifth FONT record
  EXPECT_EQ(block.U16(2), 0);  // General
  EXPECT_EQ(block.U16(4), 0x0001);
  EXPECT_EQ(block.data[6], kAlignLeft | (kAlignTop << 4));  // left, top, no wrap
  EXPECT_EQ(block.U32(10), 0u);                             // no borders
  EXPECT_EQ(block.U32(14), 0u);                             // no fill pattern
  const Record& style = walk.One(kStyle);
  EXPECT_EQ(style.U16(0), 0x8000);  // built-in, on XF 0
  EXPECT_EQ(style.data[2], 0);      // Normal
}

TEST(WorkbookStream, WritesTheSheetSettings) {
  const Walk walk(WorkbookOfTable(CalculatedLookingTable(99), MainWindowGridLook(), "."));
  const Record& setup = walk.One(kSetup);
  EXPECT_EQ(setup.data.size(), 34u);
  EXPECT_EQ(setup.U16(2), 100);  // scale
  EXPECT_EQ(setup.U16(10) & kSetupPortrait, kSetupPortrait);
  EXPECT_EQ(setup.U16(10) & kSetupNoPrinterSettings, 0);
  EXPECT_TRUE(walk.One(kHeader).data.empty());
  EXPECT_TRUE(walk.One(kFooter).data.empty());
  EXPECT_EQ(walk.One(kPrintGridlines).U16(0), 0);
  EXPECT_EQ(walk.One(kGridSet).U16(0), 1);
  const std::uint16_t wsbool = walk.One(kWsBool).U16(0);
  EXPECT_EQ(wsbool & kWsBoolRowSumsBelow, 0);  // summary rows above their detail
  EXPECT_EQ(wsbool & kWsBoolColSumsRight, 0);  // summary columns left of it
  EXPECT_EQ(walk.One(kDefColWidth).U16(0), 8);
  EXPECT_EQ(walk.One(kDefaultRowHeight).U16(2), 255);
  const Record& colinfo = walk.One(kColInfo);
  EXPECT_EQ(colinfo.U16(0), 0);
  EXPECT_EQ(colinfo.U16(2), 5);
  EXPECT_EQ(colinfo.U16(4), 2926);
  const std::uint16_t window2 = walk.One(kWindow2).U16(0);
  for (std::uint16_t flag :
       {kWindow2ShowGridlines, kWindow2ShowHeadings, kWindow2Selected, kWindow2Active})
    EXPECT_EQ(window2 & flag, flag) << flag;
  const Record& selection = walk.One(kSelection);
  EXPECT_EQ(selection.data.size(), 15u);
  EXPECT_EQ(selection.U16(1) | selection.U16(3), 0);  // A1 active
  const Record& dimensions = walk.One(kDimensions);
  EXPECT_EQ(dimensions.U32(0), 0u);
  EXPECT_EQ(dimensions.U32(4), 99u);
  EXPECT_EQ(dimensions.U16(8), 0);
  EXPECT_EQ(dimensions.U16(10), 6);
}

// Every row and every cell of A1:F(last) is written: numbers where the table holds them,
// blank cells with the block format elsewhere; rows carry their height.
TEST(WorkbookStream, WritesEveryCellOfTheBlock) {
  for (int rows : {99, 150, 65536}) {
    SCOPED_TRACE(rows);
    const Walk walk(WorkbookOfTable(CalculatedLookingTable(rows), MainWindowGridLook(), "."));
    const auto rowRecords = walk.All(kRow);
    ASSERT_EQ(rowRecords.size(), static_cast<std::size_t>(rows));
    std::map<int, int> cellsPerRow;
    for (const Record& r : walk.records) {
      if (r.id == kRk || r.id == kNumber || r.id == kBlank) ++cellsPerRow[r.U16(0)];
      if (r.id == kMulBlank) cellsPerRow[r.U16(0)] += r.U16(r.data.size() - 2) - r.U16(2) + 1;
      if (r.id == kRk || r.id == kNumber || r.id == kBlank) {
        EXPECT_EQ(r.U16(4), kFirstUserXf);
      }
    }
    ASSERT_EQ(cellsPerRow.size(), static_cast<std::size_t>(rows));
    for (const auto& [row, count] : cellsPerRow) ASSERT_EQ(count, 6) << row;
    for (const Record* row : rowRecords) {
      ASSERT_EQ(row->U16(6), 300);
      ASSERT_EQ(row->U32(12) & kRowHeightCustom, kRowHeightCustom);
    }
  }
}

void ExpectPositionsPointAtTheirRecords(int rows);

// 150 rows end in a short block; 65536 rows need the most DBCELLs an INDEX can list.
TEST(WorkbookStream, PointsAtTheRecordsItNames) {
  for (const int rows : {150, 65536}) {
    SCOPED_TRACE(rows);
    ExpectPositionsPointAtTheirRecords(rows);
  }
}

void ExpectPositionsPointAtTheirRecords(int rows) {
  StringGrid grid = CalculatedLookingTable(rows);
  for (int r = 10; r <= 60; ++r) grid.SetCellEx(r % 6 + 1, r, "text " + std::string(400 + r, 'x'));
  const Walk walk(WorkbookOfTable(grid, MainWindowGridLook(), "."));

  // BOUNDSHEET: the sheet's BOF.
  const Record& sheetBof = walk.At(walk.One(kBoundSheet).U32(kBoundSheetPlyPos));
  EXPECT_EQ(sheetBof.id, kBof);
  EXPECT_EQ(sheetBof.U16(2), kBofWorksheet);

  // INDEX: right after the sheet's BOF; rows; DEFCOLWIDTH; one DBCELL per block of 32 rows.
  const Record& index = walk.One(kIndex);
  EXPECT_EQ(index.position, sheetBof.position + 4 + sheetBof.data.size());
  EXPECT_EQ(index.U32(4), 0u);
  EXPECT_EQ(index.U32(8), static_cast<std::uint32_t>(rows));
  EXPECT_EQ(walk.At(index.U32(kIndexDefColWidthPos)).id, kDefColWidth);
  const auto dbCells = walk.All(kDbCell);
  ASSERT_EQ(dbCells.size(), static_cast<std::size_t>((rows + 31) / 32));  // blocks of 32 rows
  ASSERT_EQ(index.data.size(), kIndexFixedSize + 4 * dbCells.size());
  for (std::size_t i = 0; i < dbCells.size(); ++i)
    EXPECT_EQ(index.U32(16 + 4 * i), dbCells[i]->position);

  // DBCELL: back to the block's first ROW, then from row to row to each row's first cell.
  int expectedRow = 0;
  for (const Record* dbCell : dbCells) {
    const Record& firstRow = walk.At(dbCell->position - dbCell->U32(0));
    ASSERT_EQ(firstRow.id, kRow);
    ASSERT_EQ(firstRow.U16(0), expectedRow);
    std::size_t from = firstRow.position + 4 + kRowDataSize;
    const std::size_t rowsInBlock = (dbCell->data.size() - 4) / 2;
    for (std::size_t k = 0; k < rowsInBlock; ++k) {
      const Record& cell = walk.At(from + dbCell->U16(4 + 2 * k));
      ASSERT_NE(cell.id, kRow);
      ASSERT_EQ(cell.U16(0), expectedRow) << "first cell of row " << expectedRow;
      ASSERT_EQ(cell.U16(2), 0);
      from = cell.position;
      ++expectedRow;
    }
  }
  EXPECT_EQ(expectedRow, rows);
}

// Cell records byte for byte: a number that RK cannot hold exactly, RK numbers, a run of
// blank cells, a text, and the ROW record before them.
TEST(WorkbookStream, EncodesCellsExactly) {
  StringGrid grid(7, 2);
  grid.SetCellEx(1, 1, "0.333333333333333");
  grid.SetCellEx(2, 1, "1060.66");
  grid.SetCellEx(3, 1, "-2");
  grid.SetCellEx(6, 1, "x");
  const Walk walk(WorkbookOfTable(grid, MainWindowGridLook(), "."));
  const auto bytesOf = [&](std::uint16_t id) {
    const Record& r = walk.One(id);
    return Bytes(r.data.begin(), r.data.end());
  };
  EXPECT_EQ(bytesOf(kRow),
            test::Hex({0, 0, 0, 0, 6, 0, 0x2C, 0x01, 0, 0, 0, 0, 0x40, 0x01, 0x0F, 0x00}));
  // 0.333333333333333 is 0x3FD555555555554F.
  EXPECT_EQ(bytesOf(kNumber),
            test::Hex({0, 0, 0, 0, 16, 0, 0x4F, 0x55, 0x55, 0x55, 0x55, 0x55, 0xD5, 0x3F}));
  const auto rks = walk.All(kRk);
  ASSERT_EQ(rks.size(), 2u);
  // 106066 hundredths: (106066 << 2) | 3 = 0x0006794B; -2: (-2 << 2) | 2 = 0xFFFFFFFA.
  EXPECT_EQ(Bytes(rks[0]->data.begin(), rks[0]->data.end()),
            test::Hex({0, 0, 1, 0, 16, 0, 0x4B, 0x79, 0x06, 0x00}));
  EXPECT_EQ(Bytes(rks[1]->data.begin(), rks[1]->data.end()),
            test::Hex({0, 0, 2, 0, 16, 0, 0xFA, 0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(bytesOf(kMulBlank), test::Hex({0, 0, 3, 0, 16, 0, 16, 0, 4, 0}));
  EXPECT_EQ(bytesOf(kLabelSst), test::Hex({0, 0, 5, 0, 16, 0, 0, 0, 0, 0}));
  EXPECT_EQ(bytesOf(kSst), test::Hex({1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 'x'}));
  // One bucket: the string's stream position, and its offset in the SST record (header
  // and the two counts before it).
  Bytes extsst;
  ByteWriter out(extsst);
  out.U16(8);
  out.U32(static_cast<std::uint32_t>(walk.One(kSst).position + 12));
  out.U16(12);
  out.U16(0);
  EXPECT_EQ(bytesOf(kExtSst), extsst);
}

TEST(WorkbookStream, SharesTextsAndPointsAtThemFromTheStringIndex) {
  StringGrid grid(7, 100);
  std::vector<std::u16string> unique;
  for (int r = 1; r <= 40; ++r) {
    const std::string text =
        std::string(500 + r, static_cast<char>('A' + r % 26)) + (r % 3 == 0 ? "Ω" : "");
    grid.SetCellEx(1, r, text);
    grid.SetCellEx(2, r, text);  // each text twice
    unique.push_back(Utf16FromUtf8(text));
  }
  const Walk walk(WorkbookOfTable(grid, MainWindowGridLook(), "."));
  const Record& sst = walk.One(kSst);
  EXPECT_EQ(sst.U32(0), 80u);  // references
  EXPECT_EQ(sst.U32(4), 40u);  // distinct texts
  EXPECT_EQ(walk.All(kLabelSst).size(), 80u);
  ASSERT_GE(sst.data.size(), 8000u);
  const auto sstIt = std::find_if(walk.records.begin(), walk.records.end(),
                                  [&](const Record& r) { return r.position == sst.position; });
  EXPECT_EQ(std::next(sstIt)->id, kContinue);

  // Rebuild the texts from SST and its CONTINUE records, remembering where each starts.
  Bytes joined;
  std::vector<std::pair<std::size_t, std::size_t>> origin;  // joined offset -> stream position
  for (auto it = sstIt; it == sstIt || it->id == kContinue; ++it) {
    origin.emplace_back(joined.size(), it->position + 4);
    joined.insert(joined.end(), it->data.begin(), it->data.end());
  }
  const auto streamPosition = [&](std::size_t offset) {
    auto o = std::prev(
        std::upper_bound(origin.begin(), origin.end(), std::pair{offset, std::size_t(-1)}));
    return o->second + (offset - o->first);
  };
  // A cut string's next piece starts with an option byte; walk the strings knowing the cuts.
  std::vector<std::size_t> cuts;
  for (const auto& o : origin) cuts.push_back(o.first);
  std::size_t at = 8;
  std::vector<std::size_t> starts;
  for (const std::u16string& expected : unique) {
    starts.push_back(streamPosition(at));
    const std::uint16_t count = ReadU16(joined, at);
    bool wide = joined[at + 2] & 1;
    at += 3;
    std::u16string text;
    while (text.size() < count) {
      if (!text.empty() && std::find(cuts.begin(), cuts.end(), at) != cuts.end()) {
        wide = joined[at] & 1;
        ++at;
      }
      text.push_back(wide ? ReadU16(joined, at) : joined[at]);
      at += wide ? 2 : 1;
    }
    ASSERT_EQ(text, expected);
  }
  EXPECT_EQ(at, joined.size());

  const Record& extsst = walk.One(kExtSst);
  EXPECT_EQ(extsst.U16(0), 8);  // strings per bucket
  ASSERT_EQ(extsst.data.size(), 2 + 8 * 5u);
  for (std::size_t b = 0; b < 5; ++b) {
    EXPECT_EQ(extsst.U32(2 + 8 * b), starts[8 * b]) << b;
    const std::size_t position = starts[8 * b];
    std::size_t recordData = 0;  // where the data of the record holding the string starts
    for (const auto& o : origin)
      if (o.second <= position) recordData = o.second;
    EXPECT_EQ(extsst.U16(6 + 8 * b), position - recordData + 4) << b;
  }
}

}  // namespace
}  // namespace arvelle::xls
