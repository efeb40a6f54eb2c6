#pragma once
// A workbook in memory as this program writes it: one or more worksheets of typed cells,
// the fonts and cell formats they use, and the sheet settings. The BIFF8 form of it is made
// by WriteWorkbookStream (workbook_stream.h).
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "export/palette.h"

namespace arvelle::xls {

enum class HorizontalAlign : std::uint8_t { General, Left, Centre, Right };
enum class VerticalAlign : std::uint8_t { Top, Centre, Bottom };

struct Font {
  std::u16string name;
  std::uint16_t heightTwips = 200;  // twentieths of a point
  bool bold = false;
  bool italic = false;
  bool underline = false;  // single underline
  bool strikeOut = false;
  std::uint16_t colourIndex = 0x7FFF;  // automatic
  bool operator==(const Font&) const = default;
};

// The workbook's default font: "Arial" 10 pt in the automatic colour.
Font DefaultFont();

// The look of a cell: one XF record of the file.
struct CellFormat {
  Font font = DefaultFont();
  std::uint16_t numberFormat = 0;  // a built-in format number; 0 is General
  HorizontalAlign horizontal = HorizontalAlign::General;
  VerticalAlign vertical = VerticalAlign::Bottom;
  bool wrap = false;
  std::optional<std::uint16_t> solidFillColourIndex;  // none: no fill
  bool locked = true;
  bool operator==(const CellFormat&) const = default;
};

// Index of a cell's format in the file's XF table.
using XfIndex = std::uint16_t;

struct Cell {
  // std::monostate: a blank cell that only carries its format.
  std::variant<std::monostate, double, std::u16string> value;
  XfIndex xf = 15;  // the default cell format
};

struct Row {
  std::map<int, Cell> cells;  // by column, from 0
  // Twips; std::nullopt keeps the sheet's default height. 0 hides the row.
  std::optional<std::uint16_t> heightTwips;
};

struct ColumnWidth {
  int firstColumn = 0;
  int lastColumn = 0;
  std::uint16_t width = 0;  // 1/256 of the width of the default font's "0"
};

struct PageSetup {
  bool portrait = true;
  std::uint16_t scalePercent = 100;
  bool printerSettingsValid = true;
  std::u16string header;  // empty: no page header
  std::u16string footer;
};

struct Worksheet {
  std::u16string name;
  std::map<int, Row> rows;  // by row, from 0
  std::vector<ColumnWidth> columnWidths;
  std::uint16_t defaultColumnWidth = 8;       // characters
  std::uint16_t defaultRowHeightTwips = 255;  // 12.75 pt
  PageSetup pageSetup;
  bool showGridlines = true;
  bool printGridlines = false;
  bool showHeadings = true;
  bool summaryRowsBelow = true;
  bool summaryColumnsRight = true;

  // The cell at (row, column), both from 0, made blank with the default format if new.
  Cell& At(int row, int column) { return rows[row].cells[column]; }
};

class Workbook {
 public:
  // The template workbook: one empty worksheet "Sheet1" with the defaults above.
  Workbook();

  std::vector<Worksheet>& Sheets() { return sheets_; }
  const std::vector<Worksheet>& Sheets() const { return sheets_; }

  // The XF index of `format`, added to the workbook on first use: each distinct format is
  // held once. Throws arvelle::Exception past the format limit of the file.
  XfIndex AddCellFormat(const CellFormat& format);
  // The formats added, in XF order from the first one after the built-in XFs.
  const std::vector<CellFormat>& CellFormats() const { return cellFormats_; }

  // The sheet shown when the file is opened, counted from 0.
  int activeSheet = 0;

 private:
  std::vector<Worksheet> sheets_;
  std::vector<CellFormat> cellFormats_;
};

}  // namespace arvelle::xls
