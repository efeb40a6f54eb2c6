#pragma once
// The BIFF8 record types this writer emits, with the layout of the fields that are built
// bit by bit or patched after the fact. Offsets are counted from the start of a record's
// data (after its 4-byte type and size header); sizes are in bytes.
#include <cstddef>
#include <cstdint>

namespace arvelle::xls::biff {

// Record frame: type (2), data size (2), then at most kMaxRecordData bytes of data. Longer
// data goes on in CONTINUE records.
inline constexpr std::size_t kRecordHeaderSize = 4;
inline constexpr std::size_t kMaxRecordData = 8224;

// | record          | id     | data size        |
// |-----------------|--------|------------------|
enum RecordId : std::uint16_t {
  kDimensions = 0x0200,        // 14
  kBlank = 0x0201,             // 6
  kNumber = 0x0203,            // 14
  kBof = 0x0809,               // 16
  kEof = 0x000A,               // 0
  kCalcCount = 0x000C,         // 2
  kCalcMode = 0x000D,          // 2
  kPrecision = 0x000E,         // 2
  kRefMode = 0x000F,           // 2
  kDelta = 0x0010,             // 8
  kIteration = 0x0011,         // 2
  kProtect = 0x0012,           // 2
  kPassword = 0x0013,          // 2
  kHeader = 0x0014,            // 0 when the page has no header
  kFooter = 0x0015,            // 0 when the page has no footer
  kWindowProtect = 0x0019,     // 2
  kPrintHeaders = 0x002A,      // 2
  kPrintGridlines = 0x002B,    // 2
  kFont = 0x0031,              // 14 + name
  kContinue = 0x003C,          // the rest of the record before
  kWindow1 = 0x003D,           // 18
  kBackup = 0x0040,            // 2
  kCodePage = 0x0042,          // 2
  kDefColWidth = 0x0055,       // 2
  kWriteAccess = 0x005C,       // 112
  kSaveRecalc = 0x005F,        // 2
  kColInfo = 0x007D,           // 12
  kGuts = 0x0080,              // 8
  kWsBool = 0x0081,            // 2
  kGridSet = 0x0082,           // 2
  kHCenter = 0x0083,           // 2
  kVCenter = 0x0084,           // 2
  kBoundSheet = 0x0085,        // 8 + name
  kCountry = 0x008C,           // 4
  kHideObj = 0x008D,           // 2
  kSetup = 0x00A1,             // 34
  kMulBlank = 0x00BE,          // 6 + 2 per cell
  kMms = 0x00C1,               // 2
  kDbCell = 0x00D7,            // 4 + 2 per row
  kBookBool = 0x00DA,          // 2
  kInterfaceHdr = 0x00E1,      // 2
  kInterfaceEnd = 0x00E2,      // 0
  kSst = 0x00FC,               // 8 + strings
  kLabelSst = 0x00FD,          // 10
  kExtSst = 0x00FF,            // 2 + 8 per bucket
  kSelection = 0x001D,         // 15 for one range
  kDate1904 = 0x0022,          // 2
  kFormat = 0x041E,            // 2 + format string
  kIndex = 0x020B,             // 16 + 4 per row block
  kRow = 0x0208,               // 16
  kDefaultRowHeight = 0x0225,  // 4
  kRk = 0x027E,                // 10
  kStyle = 0x0293,             // 4 for a built-in style
  kWindow2 = 0x023E,           // 18
  kTabId = 0x013D,             // 2 per sheet
  kProt4Rev = 0x01AF,          // 2
  kProt4RevPass = 0x01BC,      // 2
  kRefreshAll = 0x01B7,        // 2
  kUsesElfs = 0x0160,          // 2
  kDsf = 0x0161,               // 2
  kXf = 0x00E0,                // 20
};

// BOF: vers (2), dt (2), rupBuild (2), rupYear (2), bfh (4), sfo (4).
inline constexpr std::uint16_t kBiff8Version = 0x0600;
inline constexpr std::uint16_t kBofGlobals = 0x0005;
inline constexpr std::uint16_t kBofWorksheet = 0x0010;
inline constexpr std::uint16_t kBofBuild = 0x0DBB;
inline constexpr std::uint16_t kBofYear = 0x07CC;
inline constexpr std::uint32_t kBofHistoryFlags = 0x00000009;   // fWin, fWinAny: written on Windows
inline constexpr std::uint32_t kBofLowestVersion = 0x00000006;  // BIFF8

// BOUNDSHEET: lbPlyPos (4, absolute position of the sheet's BOF in the stream), hsState (1),
// dt (1), stName (ShortXLUnicodeString).
inline constexpr std::size_t kBoundSheetPlyPos = 0;

// INDEX: reserved (4), rwMic (4), rwMac (4), ibXF (4, absolute position of DEFCOLWIDTH),
// rgibRw (4 per row block, absolute position of each DBCELL).
inline constexpr std::size_t kIndexDefColWidthPos = 12;
inline constexpr std::size_t kIndexFirstDbCellPos = 16;
inline constexpr std::size_t kIndexFixedSize = 16;

// DBCELL: dbRtrw (4, distance back to the block's first ROW), rgdb (2 per row).
inline constexpr int kRowsPerBlock = 32;

// ROW: rw (2), colMic (2), colMac (2), miyRw (2), reserved (2), unused (2), flags (4).
inline constexpr std::size_t kRowDataSize = 16;
inline constexpr std::uint32_t kRowHeightHidden = 0x00000020;  // fDyZero
inline constexpr std::uint32_t kRowHeightCustom = 0x00000040;  // fUnsynced
inline constexpr std::uint32_t kRowReservedOne = 0x00000100;   // reserved3, must be 1
inline constexpr int kRowXfShift = 16;                         // ixfe_val, 12 bits
inline constexpr std::uint16_t kMaxRowHeight = 8192;           // 409.5 pt

// XF: ifnt (2), ifmt (2), protection and parent (2), alignment (1), rotation (1),
// indent and reading order (1), used-attribute flags (1), borders (8), fill colours (2).
inline constexpr std::uint16_t kXfLocked = 0x0001;
inline constexpr std::uint16_t kXfStyle = 0x0004;
inline constexpr int kXfParentShift = 4;
inline constexpr std::uint16_t kXfNoParent = 0x0FFF;
inline constexpr int kXfVerticalShift = 4;
inline constexpr std::uint8_t kXfWrap = 0x08;
inline constexpr std::uint8_t kXfUsedNumberFormat = 0x04;
inline constexpr std::uint8_t kXfUsedFont = 0x08;
inline constexpr std::uint8_t kXfUsedAlignment = 0x10;
inline constexpr std::uint8_t kXfUsedBorder = 0x20;
inline constexpr std::uint8_t kXfUsedFill = 0x40;
inline constexpr std::uint8_t kXfUsedProtection = 0x80;
// In a style XF the flags mean the opposite: set bits are attributes the style leaves alone.
inline constexpr std::uint8_t kXfStyleLeavesAll = 0xF4;
inline constexpr int kXfFillPatternShift = 26;  // fls, in the second border word
inline constexpr std::uint32_t kXfSolidFill = 1;
inline constexpr int kXfBackColourShift = 7;
inline constexpr int kStyleXfCount = 15;  // Normal and the 14 outline-level styles
inline constexpr std::uint16_t kDefaultCellXf = 15;
inline constexpr std::uint16_t kFirstUserXf = 16;
inline constexpr int kMaxXfCount = 4050;

// Horizontal (alc) and vertical (alcV) alignment codes.
inline constexpr std::uint8_t kAlignGeneral = 0, kAlignLeft = 1, kAlignCentre = 2, kAlignRight = 3;
inline constexpr std::uint8_t kAlignTop = 0, kAlignMiddle = 1, kAlignBottom = 2;

// FONT: dyHeight (2, twips), grbit (2), icv (2), bls (2), sss (2), uls (1), bFamily (1),
// bCharSet (1), reserved (1), fontName (ShortXLUnicodeString).
inline constexpr std::uint16_t kFontItalic = 0x0002;
inline constexpr std::uint16_t kFontStrikeOut = 0x0008;
inline constexpr std::uint16_t kFontWeightNormal = 400;
inline constexpr std::uint16_t kFontWeightBold = 700;
inline constexpr std::uint8_t kFontUnderlineSingle = 0x01;
inline constexpr std::uint16_t kColourAutomatic = 0x7FFF;
// The first four fonts are the default font plain, bold, italic, bold italic; there is
// no font 4, so the fifth FONT record is referenced as 5.
inline constexpr int kDefaultFontCount = 4;
inline constexpr std::uint16_t kFirstUserFont = 5;

// Built-in number formats referenced without a FORMAT record.
inline constexpr std::uint16_t kFormatGeneral = 0;
inline constexpr std::uint16_t kFormatScientific = 11;  // "0.00E+00"

// Palette: entry n of the standard palette is colour index n + 7; 64 and 65 are the
// system window text and background colours used as fill defaults.
inline constexpr int kPaletteIndexOffset = 7;
inline constexpr std::uint16_t kColourSystemForeground = 64;
inline constexpr std::uint16_t kColourSystemBackground = 65;

// WINDOW1: xWn, yWn, dxWn, dyWn (2 each), flags (2), itabCur, itabFirst, ctabSel,
// wTabRatio (2 each).
inline constexpr std::uint16_t kWindow1ShowScrollBarsAndTabs = 0x0038;

// WINDOW2: flags (2), rwTop, colLeft, icvHdr, reserved, wScaleSLV, wScaleNormal, unused,
// reserved (2 each).
inline constexpr std::uint16_t kWindow2ShowGridlines = 0x0002;
inline constexpr std::uint16_t kWindow2ShowHeadings = 0x0004;
inline constexpr std::uint16_t kWindow2ShowZeros = 0x0010;
inline constexpr std::uint16_t kWindow2DefaultGridColour = 0x0020;
inline constexpr std::uint16_t kWindow2ShowOutline = 0x0080;
inline constexpr std::uint16_t kWindow2Selected = 0x0200;
inline constexpr std::uint16_t kWindow2Active = 0x0400;  // fPaged: the sheet shown

// WSBOOL flags.
inline constexpr std::uint16_t kWsBoolShowAutoBreaks = 0x0001;
inline constexpr std::uint16_t kWsBoolRowSumsBelow = 0x0040;
inline constexpr std::uint16_t kWsBoolColSumsRight = 0x0080;
inline constexpr std::uint16_t kWsBoolShowOutlineSymbols = 0x0400;

// SETUP: iPaperSize, iScale, iPageStart, iFitWidth, iFitHeight, flags, iRes, iVRes (2 each),
// numHdr, numFtr (8 each, inches), iCopies (2).
inline constexpr std::uint16_t kSetupPortrait = 0x0002;
inline constexpr std::uint16_t kSetupNoPrinterSettings = 0x0004;  // fNoPls
inline constexpr std::uint16_t kPaperA4 = 9;

// COLINFO: colFirst, colLast, coldx (1/256 character), ixfe, flags, unused (2 each).
inline constexpr std::uint16_t kMaxColumnWidth = 65280;  // 255 characters

// SELECTION: pnn (1), rwAct (2), colAct (2), irefAct (2), cref (2), then RefU ranges
// (rwFirst 2, rwLast 2, colFirst 1, colLast 1).
inline constexpr std::uint8_t kPaneTopLeft = 3;

// Property: CODEPAGE 1200 means UTF-16 text.
inline constexpr std::uint16_t kCodePageUtf16 = 1200;

// Worksheet limits.
inline constexpr int kMaxRows = 65536;
inline constexpr int kMaxColumns = 256;

}  // namespace arvelle::xls::biff
