"""Reads a workbook with xlrd, an independent reader, and prints what it found as JSON.

Usage: read_workbook.py FILE

The output names every sheet, and for the first sheet every cell that is not empty (its type, value, number
format and font weight), the column widths in characters and whatever the reader logged while it read the file.
"""

import io
import json
import sys

import xlrd

CELL_TYPES = {
    xlrd.XL_CELL_TEXT: "text",
    xlrd.XL_CELL_NUMBER: "number",
    xlrd.XL_CELL_DATE: "date",
    xlrd.XL_CELL_BOOLEAN: "boolean",
    xlrd.XL_CELL_ERROR: "error",
    xlrd.XL_CELL_BLANK: "blank",
}


def describe(path):
    log = io.StringIO()
    book = xlrd.open_workbook(path, formatting_info=True, logfile=log)
    sheet = book.sheet_by_index(0)
    cells = []
    for row in range(sheet.nrows):
        for column in range(sheet.ncols):
            cell = sheet.cell(row, column)
            if cell.ctype == xlrd.XL_CELL_EMPTY:
                continue
            xf = book.xf_list[cell.xf_index]
            cells.append({
                "address": xlrd.cellname(row, column),
                "type": CELL_TYPES[cell.ctype],
                "value": cell.value,
                "format": book.format_map[xf.format_key].format_str,
                "weight": book.font_list[xf.font_index].weight,
            })
    widths = {xlrd.colname(column): info.width / 256 for column, info in sheet.colinfo_map.items()}
    return {
        "biffVersion": book.biff_version,
        "sheets": book.sheet_names(),
        "cells": cells,
        "widths": widths,
        "log": log.getvalue(),
    }


if __name__ == "__main__":
    json.dump(describe(sys.argv[1]), sys.stdout)
