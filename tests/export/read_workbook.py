#!/usr/bin/python3
"""Reads a workbook with xlrd (formatting information on) and olefile, and prints what the
export's tests compare, one fact per tab-separated line:

  stream  NAME                          every stream of the compound document
  sheet   INDEX  NAME  SELECTED  SHOWN  SHOWN: the sheet is the one shown on opening
  cell    ROW  COL  TYPE  VALUE  XF     rows and columns from 0; a number as repr(),
                                        a text as the hex of its UTF-8 bytes
  xf      XF  FONT  HEIGHT  COLOUR  BOLD  ITALIC  UNDERLINE  STRIKE  HALIGN  VALIGN  WRAP
          FORMAT  FILLPATTERN  FILLCOLOUR            each cell format that a cell uses
  col     COL  WIDTH                    columns with a width of their own (1/256 character)
  row     ROW  HEIGHT  CUSTOM  HIDDEN   rows with a ROW record (twips)
  default COLWIDTH  ROWHEIGHT           the sheet's defaults (characters, twips)
  view    GRIDLINES  HEADINGS           what the sheet's window shows
  palette INDEX  RRGGBB                 the workbook's colours

Usage: /usr/bin/python3 read_workbook.py FILE.xls
       /usr/bin/python3 read_workbook.py --streams FILE   only the compound document:
  stream  NAME  HEX                     every stream with its content in hex
Exit: 0 read, 1 a reader refused the file (the reason on stderr).
"""
import sys

import olefile
import xlrd

TYPES = {xlrd.XL_CELL_EMPTY: "empty", xlrd.XL_CELL_TEXT: "text",
         xlrd.XL_CELL_NUMBER: "number", xlrd.XL_CELL_DATE: "date",
         xlrd.XL_CELL_BOOLEAN: "bool", xlrd.XL_CELL_ERROR: "error",
         xlrd.XL_CELL_BLANK: "blank"}


def out(*fields):
    sys.stdout.write("\t".join(str(f) for f in fields) + "\n")


def streams(path):
    ole = olefile.OleFileIO(path, raise_defects=olefile.DEFECT_INCORRECT)
    for entry in ole.listdir(streams=True, storages=False):
        out("stream", "/".join(entry).replace("\x05", "\\x05"), ole.openstream(entry).read().hex())
    return 0


def main(path):
    ole = olefile.OleFileIO(path, raise_defects=olefile.DEFECT_INCORRECT)
    for entry in ole.listdir(streams=True, storages=False):
        out("stream", "/".join(entry).replace("\x05", "\\x05"))
    book = xlrd.open_workbook(path, formatting_info=True, logfile=sys.stderr, verbosity=0)
    for index, colour in sorted(book.colour_map.items()):
        if colour is not None:
            out("palette", index, "%02X%02X%02X" % colour)
    used_xfs = set()
    for s, sheet in enumerate(book.sheets()):
        out("sheet", s, sheet.name, int(sheet.sheet_selected), int(sheet.sheet_visible))
        out("default", sheet.defcolwidth, sheet.default_row_height)
        out("view", int(sheet.show_grid_lines), int(sheet.show_sheet_headers))
        for r in range(sheet.nrows):
            for c in range(sheet.row_len(r)):
                cell = sheet.cell(r, c)
                used_xfs.add(cell.xf_index)
                value = cell.value
                value = value.encode("utf-8").hex() if isinstance(value, str) else repr(value)
                out("cell", r, c, TYPES[cell.ctype], value, cell.xf_index)
        for c, info in sorted(sheet.colinfo_map.items()):
            out("col", c, info.width)
        for r, info in sorted(sheet.rowinfo_map.items()):
            out("row", r, info.height, int(info.has_default_height == 0), int(info.hidden))
    for x in sorted(used_xfs):
        xf = book.xf_list[x]
        font = book.font_list[xf.font_index]
        fmt = book.format_map[xf.format_key].format_str
        al = xf.alignment
        bg = xf.background
        out("xf", x, font.name, font.height, font.colour_index, int(font.weight >= 700),
            int(font.italic), font.underline_type, int(font.struck_out), al.hor_align,
            al.vert_align, int(al.text_wrapped), repr(fmt), bg.fill_pattern,
            bg.pattern_colour_index)
    return 0


if __name__ == "__main__":
    try:
        if sys.argv[1] == "--streams":
            sys.exit(streams(sys.argv[2]))
        sys.exit(main(sys.argv[1]))
    except Exception as exc:  # any refusal: the test shows the reason
        sys.stderr.write("%s: %s\n" % (type(exc).__name__, exc))
        sys.exit(1)
