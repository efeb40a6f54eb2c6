// The grid's look in the sheet's units, the palette matching and the block format.
#include <gtest/gtest.h>

#include "core/errors.h"
#include "export/biff_records.h"
#include "export/palette.h"
#include "export/table_export.h"

namespace arvelle::xls {
namespace {

TEST(GridSizes, ColumnWidthIsPixelsTimes256Over7ToTheNearest) {
  const std::pair<int, int> cases[] = {{80, 2926}, {7, 256}, {64, 2341}, {20, 731},
                                       {1, 37},    {0, 0},   {-5, 0},    {3000, 65280}};
  for (const auto& [pixels, width] : cases) EXPECT_EQ(ColumnWidthOfPixels(pixels), width) << pixels;
}

TEST(GridSizes, RowHeightIsPixelsLessTheTextOffsetTimes15) {
  const std::pair<int, int> cases[] = {{22, 300}, {40, 570}, {3, 15}, {2, 0},
                                       {1, 0},    {0, 0},    {-4, 0}};
  for (const auto& [pixels, height] : cases) EXPECT_EQ(RowHeightOfPixels(pixels), height) << pixels;
}

TEST(GridSizes, FontHeightIsTruncatedToTwentiethsOfAPoint) {
  struct Case {
    int pixels, ppi, twips;
  };
  for (const Case& c : {Case{11, 96, 165}, Case{16, 96, 240}, Case{13, 120, 156},
                        Case{11, 100, 158}, Case{11, 72, 220}, Case{1, 96, 15}, Case{7, 97, 103}})
    EXPECT_EQ(FontHeightOfPixels(c.pixels, c.ppi), c.twips) << c.pixels << " px at " << c.ppi;
  EXPECT_THROW(FontHeightOfPixels(11, 0), Exception);
}

TEST(Palette, MatchesTheNearestOfTheFirst55Entries) {
  struct Case {
    Rgb colour;
    int entry;
  };
  const Case cases[] = {
      {0x000000, 1},  {0xFFFFFF, 2},  {0xFF0000, 3},
      {0xFE0101, 3},  {0x000080, 11},  // also entry 25: the lower entry wins
      {0xFFFFF0, 2},  {0xC0C0C0, 15}, {0x333399, 55},
      {0x333333, 52},  // entry 56 itself is never chosen
      {0x969696, 48}, {0x0A0A0A, 1},
  };
  for (const Case& c : cases)
    EXPECT_EQ(NearestPaletteEntry(c.colour), c.entry) << std::hex << c.colour;
  EXPECT_EQ(ColourIndexOfEntry(1), 8);
}

TEST(BlockFormat, TakesTheMainWindowLook) {
  const CellFormat f = BlockFormat(MainWindowGridLook(), false, false);
  EXPECT_EQ(f.font.name, u"Tahoma");
  EXPECT_EQ(f.font.heightTwips, 165);
  EXPECT_EQ(f.font.colourIndex, 8);
  EXPECT_FALSE(f.font.bold || f.font.italic || f.font.underline || f.font.strikeOut);
  EXPECT_EQ(f.numberFormat, biff::kFormatGeneral);
  EXPECT_EQ(f.horizontal, HorizontalAlign::Left);
  EXPECT_EQ(f.vertical, VerticalAlign::Top);
  EXPECT_FALSE(f.wrap);
  EXPECT_FALSE(f.solidFillColourIndex.has_value());
  EXPECT_TRUE(f.locked);

  const CellFormat e = BlockFormat(MainWindowGridLook(), true, true);
  EXPECT_EQ(e.numberFormat, biff::kFormatScientific);
  EXPECT_TRUE(e.wrap);
}

TEST(BlockFormat, FillsEveryBackgroundButPureWhite) {
  GridLook look = MainWindowGridLook();
  look.backgroundColourRgb = 0xFFFFFE;
  EXPECT_EQ(BlockFormat(look, false, false).solidFillColourIndex, std::optional<std::uint16_t>(9));
  look.backgroundColourRgb = 0xFFFF00;
  EXPECT_EQ(BlockFormat(look, false, false).solidFillColourIndex, std::optional<std::uint16_t>(13));
  look.horizontal = GridHorizontalAlign::Centre;
  look.vertical = GridVerticalAlign::Bottom;
  look.strikeOut = true;
  const CellFormat f = BlockFormat(look, false, false);
  EXPECT_EQ(f.horizontal, HorizontalAlign::Centre);
  EXPECT_EQ(f.vertical, VerticalAlign::Bottom);
  EXPECT_TRUE(f.font.strikeOut);
}

TEST(WorkbookOfTable, HoldsEachDistinctFormatOnce) {
  StringGrid grid(7, 100);
  grid.SetCellEx(1, 1, "1.5E16");
  grid.SetCellEx(2, 1, "2E20");
  grid.SetCellEx(3, 1, "12.5");
  grid.SetCellEx(4, 1, "a\nb");
  const Workbook workbook = WorkbookOfTable(grid, MainWindowGridLook(), ".");
  ASSERT_EQ(workbook.CellFormats().size(), 3u);  // plain, exponent form, wrapped
  const Worksheet& sheet = workbook.Sheets().front();
  EXPECT_EQ(sheet.rows.size(), 99u);
  EXPECT_EQ(sheet.rows.at(0).cells.at(0).xf, sheet.rows.at(0).cells.at(1).xf);
  EXPECT_EQ(sheet.rows.at(0).cells.at(2).xf, sheet.rows.at(98).cells.at(5).xf);
  EXPECT_NE(sheet.rows.at(0).cells.at(0).xf, sheet.rows.at(0).cells.at(2).xf);
  EXPECT_NE(sheet.rows.at(0).cells.at(3).xf, sheet.rows.at(0).cells.at(2).xf);
}

TEST(WorkbookOfTable, RefusesATableLongerThanASheet) {
  EXPECT_NO_THROW(WorkbookOfTable(StringGrid(7, 65537), MainWindowGridLook(), "."));
  try {
    WorkbookOfTable(StringGrid(7, 65538), MainWindowGridLook(), ".");
    FAIL() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "The table has 65537 rows, but a worksheet holds at most 65536");
  }
}

}  // namespace
}  // namespace arvelle::xls
