#!/usr/bin/python3
# Reads an .xls file with xlrd, an independent reader, and prints what it
# found as JSON: per sheet its name, size and cells (type, value, bold).
# "summary" prints only the first and the last row of each sheet.
import json
import sys

import xlrd

path = sys.argv[1]
mode = sys.argv[2] if len(sys.argv) > 2 else "full"
book = xlrd.open_workbook(path, formatting_info=True)
sheets = []
for sheet in book.sheets():
    def cell(r, c):
        ce = sheet.cell(r, c)
        value = ce.value
        if ce.ctype == xlrd.XL_CELL_DATE:
            value = list(xlrd.xldate_as_tuple(ce.value, book.datemode))
        xf = book.xf_list[ce.xf_index]
        font = book.font_list[xf.font_index]
        fmt = book.format_map[xf.format_key].format_str
        return {"t": ce.ctype, "v": value, "bold": bool(font.bold), "fmt": fmt}
    rows = range(sheet.nrows)
    if mode == "summary" and sheet.nrows > 2:
        rows = [0, sheet.nrows - 1]
    sheets.append({
        "name": sheet.name,
        "nrows": sheet.nrows,
        "ncols": sheet.ncols,
        "rows": [[cell(r, c) for c in range(sheet.ncols)] for r in rows],
    })
json.dump({"sheets": sheets}, sys.stdout, ensure_ascii=False)
