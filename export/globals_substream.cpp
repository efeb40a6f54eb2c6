#include "export/globals_substream.h"

#include <algorithm>

#include "export/biff_records.h"
#include "export/common_records.h"
#include "export/xl_string.h"

namespace arvelle::xls {
namespace {

using namespace biff;

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

}  // namespace

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

}  // namespace arvelle::xls
