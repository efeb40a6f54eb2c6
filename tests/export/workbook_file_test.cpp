// Whole files, written as "Save" writes them and read back by xlrd and olefile: sheet
// names, every cell's type and value, the block format, column widths, row heights, the
// palette and the compound document's streams.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "core/errors.h"
#include "core/format_settings.h"
#include "export/palette.h"
#include "read_back.h"
#include "sample_tables.h"
#include "temp_folder.h"

namespace arvelle::test {
namespace {

// The grid text as a number the independent way: strtod on the text with a decimal point.
bool NumberOfText(std::string text, char16_t separator, double& value) {
  const std::string sep = SeparatorUtf8(separator);
  if (const auto at = text.find(sep); at != std::string::npos) text.replace(at, sep.size(), ".");
  char* end = nullptr;
  value = std::strtod(text.c_str(), &end);
  return !text.empty() && *end == '\0';
}

void ExpectStandardWorkbook(const WorkbookRead& book) {
  EXPECT_EQ(book.streams, (std::vector<std::string>{"\\x05DocumentSummaryInformation",
                                                    "\\x05SummaryInformation", "Workbook"}));
  ASSERT_EQ(book.sheets.size(), 1u);
  EXPECT_EQ(book.sheets[0].name, "Sheet1");
  EXPECT_EQ(book.sheets[0].selected, 1);
  EXPECT_EQ(book.sheets[0].shown, 1);
  EXPECT_EQ(book.defaultColumnWidth, 8);
  EXPECT_EQ(book.defaultRowHeight, 255);
  EXPECT_EQ(book.gridlines, 1);
  EXPECT_EQ(book.headings, 1);
  // The palette as xlrd knows it is ours: no PALETTE record changed it.
  for (int entry = 1; entry <= 56; ++entry) {
    char rgb[8];
    std::snprintf(rgb, sizeof rgb, "%06X", xls::kStandardPalette[entry - 1]);
    EXPECT_EQ(book.palette.at(entry + 7), rgb) << "entry " << entry;
  }
}

class CalculatedTableFile : public ::testing::TestWithParam<std::string> {};

// Every cell of A1:F(last) as the table holds it, in the block format, sized.
TEST_P(CalculatedTableFile, ReadsBackAsTheTableHoldsIt) {
  TempFolder folder;
  const SampleTable table = SampleNamed(GetParam());
  const std::string path = folder.File(table.name + ".xls");
  ExportSample(table, path);
  const WorkbookRead book = ReadWithXlrd(path);
  ExpectStandardWorkbook(book);

  const int rows = table.grid.RowCount() - 1;
  ASSERT_EQ(book.cells.size(), static_cast<std::size_t>(rows) * 6);
  int numbers = 0, exponents = 0;
  for (int r = 1; r <= rows; ++r) {
    for (int c = 1; c <= 6; ++c) {
      const std::string& text = table.grid.GetCellEx(c, r);
      const CellRead& cell = book.cells.at({r - 1, c - 1});
      const XfRead& xf = book.xfs.at(cell.xf);
      double expected = 0;
      const bool exponent = text.find_first_of("Ee") != std::string::npos;
      if (text.empty()) {
        ASSERT_EQ(cell.type, "blank") << r << "," << c;
      } else {
        ASSERT_TRUE(NumberOfText(text, table.decimalSeparator, expected)) << text;
        ASSERT_EQ(cell.type, "number") << text;
        ASSERT_EQ(std::strtod(cell.value.c_str(), nullptr), expected) << text;
        ++numbers;
        exponents += exponent;
      }
      ASSERT_EQ(xf.format, exponent ? "'0.00E+00'" : "'General'") << text;
      ASSERT_EQ(xf.font, "Tahoma");
      ASSERT_EQ(xf.height, 165);
      ASSERT_EQ(xf.colour, 8);
      ASSERT_EQ(xf.bold + xf.italic + xf.underline + xf.strike, 0);
      ASSERT_EQ(xf.halign, 1);  // left
      ASSERT_EQ(xf.valign, 0);  // top
      ASSERT_EQ(xf.wrap, 0);
      ASSERT_EQ(xf.fillPattern, 0);
    }
  }
  if (table.name == "before_calculation") {
    EXPECT_EQ(numbers, 0);
  } else {
    EXPECT_GT(numbers, 0);
  }
  if (table.name == "exponent") {
    EXPECT_GT(exponents, 0);
  }
  EXPECT_EQ(book.xfs.size(), exponents > 0 ? 2u : 1u);  // one shared format, two with exponents

  EXPECT_EQ(book.columnWidths,
            (std::map<int, int>{{0, 2926}, {1, 2926}, {2, 2926}, {3, 2926}, {4, 2926}, {5, 2926}}));
  ASSERT_EQ(book.rows.size(), static_cast<std::size_t>(rows));
  for (const auto& [r, row] : book.rows) {
    ASSERT_EQ(row.height, 300) << r;
    ASSERT_EQ(row.custom, 1) << r;
    ASSERT_EQ(row.hidden, 0) << r;
  }
}

INSTANTIATE_TEST_SUITE_P(EveryKind, CalculatedTableFile,
                         ::testing::Values("before_calculation", "bolts_4", "bolts_7",
                                           "decimal_comma", "exponent", "bolts_150",
                                           "bolts_65536"));

TEST(WorkbookFile, BeforeAnyCalculationHoldsABlankFormattedBlock) {
  TempFolder folder;
  ExportSample(SampleNamed("before_calculation"), folder.File("before.xls"));
  const WorkbookRead book = ReadWithXlrd(folder.File("before.xls"));
  ASSERT_EQ(book.cells.size(), 594u);  // A1:F99
  for (const auto& [at, cell] : book.cells) ASSERT_EQ(cell.type, "blank");
  EXPECT_EQ(book.cells.rbegin()->first, (std::pair<int, int>{98, 5}));
}

TEST(WorkbookFile, TheDecimalCommaGivesTheSameNumber) {
  TempFolder folder;
  const SampleTable table = CalculatedTable("comma", "8", "3000", u',');
  ASSERT_EQ(table.grid.GetCellEx(2, 2), "1060,66");  // X of the bolt at 45 degrees
  ExportSample(table, folder.File("comma.xls"));
  const WorkbookRead book = ReadWithXlrd(folder.File("comma.xls"));
  EXPECT_EQ(book.cells.at({1, 1}).type, "number");
  EXPECT_EQ(book.cells.at({1, 1}).value, "1060.66");
  EXPECT_EQ(book.xfs.at(book.cells.at({1, 1}).xf).format, "'General'");
}

TEST(WorkbookFile, AnExponentTextGetsTheScientificFormat) {
  TempFolder folder;
  StringGrid grid(7, 100);
  grid.SetCellEx(1, 1, "1.5E16");
  grid.SetCellEx(2, 1, "1060.66");
  grid.SetCellEx(3, 1, "-1.5E-7");
  XLSExport(grid, MainWindowGridLook(), folder.File("e.xls"), "", -1, 1, InsertInSheet::Clear);
  const WorkbookRead book = ReadWithXlrd(folder.File("e.xls"));
  EXPECT_EQ(book.cells.at({0, 0}).value, "1.5e+16");
  EXPECT_EQ(book.cells.at({0, 2}).value, "-1.5e-07");
  EXPECT_EQ(book.xfs.at(book.cells.at({0, 0}).xf).format, "'0.00E+00'");
  EXPECT_EQ(book.xfs.at(book.cells.at({0, 2}).xf).format, "'0.00E+00'");
  EXPECT_EQ(book.xfs.at(book.cells.at({0, 1}).xf).format, "'General'");
  EXPECT_EQ(book.cells.at({0, 0}).xf, book.cells.at({0, 2}).xf);
}

// Texts the calculation never writes stay texts; another look reaches the file.
TEST(WorkbookFile, CarriesTextsAndTheGridsLook) {
  TempFolder folder;
  const SampleTable table = SampleNamed("texts_and_look");
  ExportSample(table, folder.File("look.xls"));
  const WorkbookRead book = ReadWithXlrd(folder.File("look.xls"));
  ExpectStandardWorkbook(book);
  const auto text = [&](int r, int c) { return book.cells.at({r, c}); };
  EXPECT_EQ(text(0, 0).type, "text");
  EXPECT_EQ(text(0, 0).value, HexOf("NAN"));
  EXPECT_EQ(text(0, 1).value, HexOf("-INF"));
  EXPECT_EQ(text(0, 2).value, HexOf("two\nlines"));
  EXPECT_EQ(text(0, 3).value, HexOf("Ωμέγα ∑ 1060.66"));
  EXPECT_EQ(text(0, 4).type, "number");
  EXPECT_EQ(text(0, 4).value, "12.5");
  for (int r = 2; r <= 12; ++r)
    for (int c = 1; c <= 6; ++c)
      ASSERT_EQ(text(r - 1, c - 1).value, HexOf(table.grid.GetCellEx(c, r)));

  const XfRead& plain = book.xfs.at(text(0, 0).xf);
  EXPECT_EQ(plain.font, "Arial");
  EXPECT_EQ(plain.height, 240);  // 16 px at 96 ppi
  EXPECT_EQ(plain.colour, 10);   // red, the nearest to FE0101
  EXPECT_EQ(plain.bold, 1);
  EXPECT_EQ(plain.italic, 1);
  EXPECT_EQ(plain.underline, 1);
  EXPECT_EQ(plain.halign, 3);  // right
  EXPECT_EQ(plain.valign, 1);  // centre
  EXPECT_EQ(plain.wrap, 0);
  EXPECT_EQ(plain.fillPattern, 1);  // solid, in white: FFFFF0 is not pure white
  EXPECT_EQ(plain.fillColour, 9);
  EXPECT_EQ(book.xfs.at(text(0, 2).xf).wrap, 1);
  EXPECT_EQ(book.xfs.at(text(0, 5).xf).format, "'0.00E+00'");

  EXPECT_EQ(book.columnWidths,
            (std::map<int, int>{{0, 731}, {1, 3657}, {2, 256}, {3, 0}, {4, 110}, {5, 36571}}));
  EXPECT_EQ(book.rows.at(0).height, 570);  // grid row 1: 40 px
  EXPECT_EQ(book.rows.at(1).hidden, 1);    // 2 px: height 0
  EXPECT_EQ(book.rows.at(2).hidden, 1);    // 1 px
  EXPECT_EQ(book.rows.at(3).height, 300);  // the default 22 px
}

// A sheet name given to the export names the sheet; a sheet number past the workbook's
// sheets shows the first.
TEST(WorkbookFile, NamesTheSheetWhenAskedTo) {
  TempFolder folder;
  StringGrid grid(7, 3);
  grid.SetCellEx(1, 1, "1");
  XLSExport(grid, MainWindowGridLook(), folder.File("named.xls"), "Bolts Ø", -1, 7,
            InsertInSheet::Clear);
  const WorkbookRead book = ReadWithXlrd(folder.File("named.xls"));
  ASSERT_EQ(book.sheets.size(), 1u);
  EXPECT_EQ(book.sheets[0].name, "Bolts Ø");
  EXPECT_EQ(book.sheets[0].selected, 1);
  EXPECT_EQ(book.cells.size(), 12u);  // two rows of six
  try {
    XLSExport(grid, MainWindowGridLook(), folder.File("long.xls"), std::string(32, 'n'), -1, 1,
              InsertInSheet::Clear);
    ADD_FAILURE() << "a 32-character sheet name was accepted";
  } catch (const Exception& e) {
    EXPECT_NE(e.Message().find("longer than 31 characters"), std::string::npos);
  }
  EXPECT_FALSE(std::filesystem::exists(folder.File("long.xls")));
}

// The failures of the table, each with its message, leaving no file behind and never
// touching a file that was there.
class WorkbookFileFailure : public ::testing::Test {
 protected:
  static std::string MessageOf(const std::string& path) {
    try {
      XLSExport(StringGrid(7, 100), MainWindowGridLook(), path, "", -1, 1, InsertInSheet::Clear);
    } catch (const Exception& e) {
      return e.Message();
    }
    return "no exception";
  }
  TempFolder folder;
};

TEST_F(WorkbookFileFailure, ReportsAFolderThatDoesNotExist) {
  const std::string path = folder.File("missing/results.xls");
  EXPECT_EQ(MessageOf(path), "Cannot create file \"" + path + "\". No such file or directory");
  EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(WorkbookFileFailure, ReportsAFileWhereAFolderShouldBe) {
  std::ofstream(folder.File("plain")) << "x";
  const std::string path = folder.File("plain/results.xls");
  EXPECT_EQ(MessageOf(path), "Cannot create file \"" + path + "\". Not a directory");
}

TEST_F(WorkbookFileFailure, ReportsAFolderInPlaceOfTheFile) {
  std::filesystem::create_directory(folder.File("results.xls"));
  EXPECT_EQ(MessageOf(folder.File("results.xls")),
            "Cannot create file \"" + folder.File("results.xls") + "\". Is a directory");
}

TEST_F(WorkbookFileFailure, GivesTheFullPathOfARelativeName) {
  const auto saved = std::filesystem::current_path();
  std::filesystem::current_path(folder.Path());
  const std::string message = MessageOf("missing/results.xls");
  std::filesystem::current_path(saved);
  EXPECT_EQ(message, "Cannot create file \"" + folder.File("missing/results.xls") +
                         "\". No such file or directory");
}

TEST_F(WorkbookFileFailure, LeavesAnExistingFileUntouched) {
  const std::string path = folder.File("existing.xls");
  std::ofstream(path) << "the user's data";
  const std::string message = MessageOf(path);
  // Not a compound document at all: the message names no file.
  EXPECT_EQ(message, "The file \"\" is invalid");
  std::ifstream in(path);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "the user's data");
}

}  // namespace
}  // namespace arvelle::test
