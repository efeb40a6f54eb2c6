#pragma once
// What readers we did not write make of a file: runs the helper script read_workbook.py
// (xlrd with formatting information, and olefile) and the validators' compound-file check.
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace arvelle::test {

struct CellRead {
  std::string type;   // number, text, blank, ...
  std::string value;  // a number as Python's repr, a text as the hex of its UTF-8 bytes
  int xf = -1;
};

struct XfRead {
  std::string font;
  int height = 0, colour = 0, bold = 0, italic = 0, underline = 0, strike = 0;
  int halign = 0, valign = 0, wrap = 0;
  std::string format;  // Python repr, e.g. 'General'
  int fillPattern = 0, fillColour = 0;
};

struct SheetRead {
  std::string name;
  int selected = 0, shown = 0;
};

struct WorkbookRead {
  std::vector<std::string> streams;
  std::vector<SheetRead> sheets;
  std::map<std::pair<int, int>, CellRead> cells;  // (row, column) of the first sheet
  std::map<int, XfRead> xfs;
  std::map<int, int> columnWidths;
  struct RowRead {
    int height = 0, custom = 0, hidden = 0;
  };
  std::map<int, RowRead> rows;
  std::map<int, std::string> palette;  // colour index -> RRGGBB
  int defaultColumnWidth = 0, defaultRowHeight = 0, gridlines = 0, headings = 0;
};

struct ScriptRun {
  int exitCode = -1;
  std::string out;
};

// Runs a command through the shell, with stderr joined to stdout.
ScriptRun Run(const std::string& command);

// Reads `path` with xlrd; fails the calling test (through an exception) when xlrd refuses it.
WorkbookRead ReadWithXlrd(const std::string& path);

// Each stream of the compound document at `path` with its content in hex.
std::map<std::string, std::string> ReadStreams(const std::string& path);

// The hex text of bytes, as the helper script writes it.
std::string HexOf(const std::string& bytes);

}  // namespace arvelle::test
