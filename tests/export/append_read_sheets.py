#!/usr/bin/python3
"""Reads every sheet of a workbook with xlrd (formatting information on) and prints, one
fact per tab-separated line, what the tests of adding a sheet compare:

  sheet  INDEX  NAME  SELECTED  SHOWN      SHOWN: the sheet shown on opening
  active INDEX                             the workbook's active sheet
  cell   SHEET  ROW  COL  TYPE  VALUE      rows and columns from 0; a number as repr(),
                                           a text as the hex of its UTF-8 bytes
  xf     SHEET  ROW  COL  FONT  HEIGHT  BOLD  ITALIC  HALIGN  VALIGN  FORMAT
                                           the look of each cell (for the first rows only
                                           of big sheets, to keep the output small)
  col    SHEET  COL  WIDTH
  row    SHEET  ROW  HEIGHT

Usage: /usr/bin/python3 append_read_sheets.py FILE.xls
Exit: 0 read, 1 xlrd refused the file (the reason on stderr).
"""
import os
import sys

import xlrd

# The cell type names and the line printer are those of the new-file tests.
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from read_workbook import TYPES, out  # noqa: E402


def main(path):
    book = xlrd.open_workbook(path, formatting_info=True, logfile=sys.stderr, verbosity=0)
    # xlrd counts the sheet in WINDOW1.itabCur as the active one.
    active = [s for s, sheet in enumerate(book.sheets()) if sheet.sheet_visible]
    for s, sheet in enumerate(book.sheets()):
        out("sheet", s, sheet.name, int(sheet.sheet_selected), int(sheet.sheet_visible))
        for r in range(sheet.nrows):
            for c in range(sheet.row_len(r)):
                cell = sheet.cell(r, c)
                value = cell.value
                value = value.encode("utf-8").hex() if isinstance(value, str) else repr(value)
                out("cell", s, r, c, TYPES[cell.ctype], value)
                if r < 8:
                    xf = book.xf_list[cell.xf_index]
                    font = book.font_list[xf.font_index]
                    fmt = book.format_map[xf.format_key].format_str
                    out("xf", s, r, c, font.name, font.height, int(font.weight >= 700),
                        int(font.italic), xf.alignment.hor_align, xf.alignment.vert_align,
                        repr(fmt))
        for c, info in sorted(sheet.colinfo_map.items()):
            out("col", s, c, info.width)
        for r, info in sorted(sheet.rowinfo_map.items()):
            out("row", s, r, info.height)
    out("active", active[0] if active else -1)
    return 0


if __name__ == "__main__":
    try:
        sys.exit(main(sys.argv[1]))
    except Exception as exc:  # any refusal: the test shows the reason
        sys.stderr.write("%s: %s\n" % (type(exc).__name__, exc))
        sys.exit(1)
