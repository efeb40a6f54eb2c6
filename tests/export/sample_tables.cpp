#include "sample_tables.h"

#include <stdexcept>

#include "core/calculation.h"
#include "core/format_settings.h"

namespace arvelle::test {
namespace {

// Sets the decimal separator for the lifetime of the guard.
class DecimalSeparatorGuard {
 public:
  explicit DecimalSeparatorGuard(char16_t separator) : saved_(FormatSettings) {
    FormatSettings.DecimalSeparator = separator;
    FormatSettings.ThousandSeparator = separator == u',' ? u'.' : u',';
  }
  ~DecimalSeparatorGuard() { FormatSettings = saved_; }
  DecimalSeparatorGuard(const DecimalSeparatorGuard&) = delete;
  DecimalSeparatorGuard& operator=(const DecimalSeparatorGuard&) = delete;

 private:
  FormatSettingsRecord saved_;
};

SampleTable BeforeCalculation() {
  PitchCircleModel model;
  model.FormCreate();
  return SampleTable{"before_calculation", model.AdvStringGrid1, MainWindowGridLook(), u'.'};
}

// Texts the calculation never writes, in a look other than the window's: the export keeps
// them as text, wraps the one with a line feed and fills the cells.
SampleTable TextsAndLook() {
  SampleTable table{"texts_and_look", StringGrid(kTableCols, kTableRows), MainWindowGridLook(),
                    u'.'};
  StringGrid& g = table.grid;
  g.SetCellEx(1, 1, "NAN");
  g.SetCellEx(2, 1, "-INF");
  g.SetCellEx(3, 1, "two\nlines");
  g.SetCellEx(4, 1, "Ωμέγα ∑ 1060.66");
  g.SetCellEx(5, 1, "  12.5  ");
  g.SetCellEx(6, 1, "1.5E16");
  for (int r = 2; r <= 12; ++r)
    for (int c = 1; c <= 6; ++c)  // long texts, so the string table runs into CONTINUE records
      g.SetCellEx(c, r,
                  std::string(3000 + 7 * r + c, static_cast<char>('a' + (r + c) % 26)) +
                      (c % 2 == 0 ? "é∂" : ""));
  table.look.fontName = "Arial";
  table.look.fontHeightPx = 16;
  table.look.bold = true;
  table.look.italic = true;
  table.look.underline = true;
  table.look.textColourRgb = 0xFE0101;        // nearly red
  table.look.backgroundColourRgb = 0xFFFFF0;  // nearly white: a fill all the same
  table.look.horizontal = GridHorizontalAlign::Right;
  table.look.vertical = GridVerticalAlign::Centre;
  table.look.columnWidthsPx = {64, 20, 100, 7, 0, 3, 1000};
  table.look.rowHeightsPx = {22, 40, 2, 1};
  return table;
}

}  // namespace

SampleTable CalculatedTable(const std::string& name, const std::string& bolts,
                            const std::string& diameter, char16_t separator) {
  DecimalSeparatorGuard guard(separator);
  PitchCircleModel model;
  model.FormCreate();
  model.inputs.n_Edit = bolts;
  model.inputs.D_Edit = diameter;
  model.BitBtn2Click();
  return SampleTable{name, model.AdvStringGrid1, MainWindowGridLook(), separator};
}

std::vector<SampleTable> AllSampleTables() {
  std::vector<SampleTable> tables;
  tables.push_back(BeforeCalculation());
  tables.push_back(CalculatedTable("bolts_4", "4"));
  tables.push_back(CalculatedTable("bolts_7", "7"));
  tables.push_back(CalculatedTable("decimal_comma", "8", "3000", u','));
  tables.push_back(CalculatedTable("exponent", "4", "3E16"));
  tables.push_back(CalculatedTable("bolts_150", "150"));
  tables.push_back(CalculatedTable("bolts_65536", "65536"));
  tables.push_back(TextsAndLook());
  return tables;
}

SampleTable SampleNamed(const std::string& name) {
  for (SampleTable& table : AllSampleTables())
    if (table.name == name) return std::move(table);
  throw std::out_of_range("no sample table " + name);
}

void ExportSample(const SampleTable& table, const std::string& path) {
  DecimalSeparatorGuard guard(table.decimalSeparator);
  XLSExport(table.grid, table.look, path, "", -1, 1, InsertInSheet::Clear);
}

}  // namespace arvelle::test
